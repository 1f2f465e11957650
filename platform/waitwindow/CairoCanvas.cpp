#include "platform/waitwindow/CairoCanvas.h"

namespace platform {

namespace {

constexpr double kFrameGrey = 0.4;

void SetColour(cairo_t* cr, std::uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

CairoFontFace MakeFace(const std::string& family, cairo_font_weight_t weight) {
    return CairoFontFace(cairo_toy_font_face_create(family.c_str(), CAIRO_FONT_SLANT_NORMAL, weight));
}

}  // namespace

CairoFonts::CairoFonts(const std::string& family)
    : m_bold(MakeFace(family, CAIRO_FONT_WEIGHT_BOLD)), m_normal(MakeFace(family, CAIRO_FONT_WEIGHT_NORMAL)) {}

bool CairoFonts::Ok() const {
    return cairo_font_face_status(m_bold.get()) == CAIRO_STATUS_SUCCESS &&
           cairo_font_face_status(m_normal.get()) == CAIRO_STATUS_SUCCESS;
}

cairo_font_face_t* CairoFonts::Face(FontWeight weight) const {
    return weight == FontWeight::Bold ? m_bold.get() : m_normal.get();
}

void CairoCanvas::FillRect(int x, int y, int width, int height, std::uint32_t rgb) {
    cairo_save(m_cr);
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    SetColour(m_cr, rgb);
    cairo_rectangle(m_cr, x, y, width, height);
    cairo_fill(m_cr);
    cairo_restore(m_cr);
}

void CairoCanvas::DrawText(const std::string& text, int x, int y, int width, int height, FontWeight weight,
                           double pixels, std::uint32_t rgb) {
    cairo_save(m_cr);
    cairo_rectangle(m_cr, x, y, width, height);
    cairo_clip(m_cr);
    cairo_set_font_face(m_cr, m_fonts.Face(weight));
    cairo_set_font_size(m_cr, pixels);
    cairo_font_extents_t fe;
    cairo_font_extents(m_cr, &fe);
    const double baseline = y + (height - (fe.ascent + fe.descent)) / 2.0 + fe.ascent;
    SetColour(m_cr, rgb);
    cairo_move_to(m_cr, x, baseline);
    cairo_show_text(m_cr, text.c_str());
    cairo_restore(m_cr);
}

CairoSurface PaintFramedWindow(int width, int height, const CairoFonts& fonts, const PaintFunction& paint) {
    CairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    {
        CairoContext cr(cairo_create(image.get()));
        cairo_set_source_rgb(cr.get(), kFrameGrey, kFrameGrey, kFrameGrey);
        cairo_paint(cr.get());
        cairo_translate(cr.get(), 1, 1);
        cairo_rectangle(cr.get(), 0, 0, width - 2, height - 2);
        cairo_clip(cr.get());
        CairoCanvas canvas(cr.get(), fonts);
        paint(canvas, width - 2, height - 2);
    }
    cairo_surface_flush(image.get());
    return image;
}

}  // namespace platform
