#pragma once
// Painting a window's client area with cairo, and the whole window (a thin
// frame around the client area) into an image.
#include <cairo.h>

#include <memory>
#include <string>

#include "platform/ui/WaitSurface.h"

namespace platform {

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
using CairoContext = std::unique_ptr<cairo_t, CairoDeleter>;
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoDeleter>;
using CairoFontFace = std::unique_ptr<cairo_font_face_t, CairoDeleter>;

// The bold and the normal face of one font family.
class CairoFonts {
public:
    explicit CairoFonts(const std::string& family);
    // False when a face cannot be had.
    bool Ok() const;
    cairo_font_face_t* Face(FontWeight weight) const;

private:
    CairoFontFace m_bold;
    CairoFontFace m_normal;
};

// Draws into a cairo context (not owned) with the given fonts.
class CairoCanvas : public Canvas {
public:
    CairoCanvas(cairo_t* cr, const CairoFonts& fonts) : m_cr(cr), m_fonts(fonts) {}
    void FillRect(int x, int y, int width, int height, std::uint32_t rgb) override;
    void DrawText(const std::string& text, int x, int y, int width, int height, FontWeight weight, double pixels,
                  std::uint32_t rgb) override;

private:
    cairo_t* m_cr;
    const CairoFonts& m_fonts;
};

// The window of the given outer size drawn into a new RGB image: a one-pixel
// grey frame, and inside it the client area that `paint` draws.
CairoSurface PaintFramedWindow(int width, int height, const CairoFonts& fonts, const PaintFunction& paint);

}  // namespace platform
