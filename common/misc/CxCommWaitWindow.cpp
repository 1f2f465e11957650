#include "common/misc/CxCommWaitWindow.h"

#include <cairo.h>

#include <cstdio>

#include "common/misc/CxFile.h"
#include "platform/text/TextCopy.h"

namespace {

constexpr double kFontPixels = 11.0;
constexpr int kBandHeight = 50;
constexpr int kBandStep = 30;
constexpr int kTextLeft = 20;
constexpr int kSecondsLeft = 140;
constexpr int kSquareTop = 100;
constexpr int kSquareWidth = 20;
constexpr int kSquareHeight = 12;
constexpr int kSquareStep = 25;

// Draws one line of text from `left`, vertically centred in the band that
// starts at `top`, cut at the right edge.
void DrawBandText(cairo_t* cr, cairo_font_face_t* font, const std::string& text, int left, int top, int width) {
    if (text.empty() || font == nullptr) return;
    cairo_save(cr);
    cairo_rectangle(cr, left, top, width - left, kBandHeight);
    cairo_clip(cr);
    cairo_set_font_face(cr, font);
    cairo_set_font_size(cr, kFontPixels);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const double baseline = top + (kBandHeight - (fe.ascent + fe.descent)) / 2.0 + fe.ascent;
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

}  // namespace

CxCommWaitWindow::CxCommWaitWindow() {
    m_message[0] = '\0';
    m_statusFile[0] = '\0';
}

CxCommWaitWindow::~CxCommWaitWindow() {
    if (m_boldFont) cairo_font_face_destroy(m_boldFont);
    if (m_normalFont) cairo_font_face_destroy(m_normalFont);
}

bool CxCommWaitWindow::OnCreate() {
    m_stopEvent.Reset();
    if (!m_boldFont)
        m_boldFont = cairo_toy_font_face_create("Verdana", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    if (!m_normalFont)
        m_normalFont = cairo_toy_font_face_create("Verdana", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    m_tickCount = 0;
    return cairo_font_face_status(m_boldFont) == CAIRO_STATUS_SUCCESS &&
           cairo_font_face_status(m_normalFont) == CAIRO_STATUS_SUCCESS;
}

int CxCommWaitWindow::SquareSlots(int clientWidth) {
    const int n = (clientWidth - 2 * kTextLeft) / kSquareStep + 1;
    return n > 0 ? n : 1;
}

std::string CxCommWaitWindow::ElapsedText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%d seconds", static_cast<int>(m_elapsed.load() / 1000));
    return text;
}

void CxCommWaitWindow::OnPaint(cairo_t* cr, int width, int height) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);

    DrawBandText(cr, m_boldFont, GetMessage(), kTextLeft, 0, width);
    DrawBandText(cr, m_boldFont, "Time Elapsed:", kTextLeft, kBandStep, width);
    DrawBandText(cr, m_normalFont, ElapsedText(), kSecondsLeft, kBandStep, width);

    const int squares = m_tickCount.load() % SquareSlots(width);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, ((kSquareColour >> 16) & 0xFF) / 255.0, ((kSquareColour >> 8) & 0xFF) / 255.0,
                         (kSquareColour & 0xFF) / 255.0);
    for (int i = 0; i < squares; ++i)
        cairo_rectangle(cr, kTextLeft + kSquareStep * i, kSquareTop, kSquareWidth, kSquareHeight);
    cairo_fill(cr);
    cairo_restore(cr);
}

void CxCommWaitWindow::OnSize(int, int) {}

void CxCommWaitWindow::OnTimer(int timerId) {
    if (timerId != kTimerId) return;
    ++m_tickCount;
    ReadStatusFile();
}

void CxCommWaitWindow::Tick() {
    ReadStatusFile();
    m_elapsed += kTickMs;
    OnTimer(kTimerId);
}

void CxCommWaitWindow::ReadStatusFile() {
    const std::string path = GetStatusFile();
    if (path.empty()) return;
    CxFile file;
    if (!file.Open(path.c_str(), "r")) return;
    char line[kMessageCapacity];
    // An empty file, or one whose first line is still empty, keeps the message.
    if (file.ReadLine(line, sizeof line) && line[0] != '\0') SetMessage(line);
}

void CxCommWaitWindow::SetMessage(const char* text) {
    std::lock_guard lock(m_mutex);
    platform::CopyText(m_message, text);
}

std::string CxCommWaitWindow::GetMessage() const {
    std::lock_guard lock(m_mutex);
    return m_message;
}

void CxCommWaitWindow::SetStatusFile(const char* path) {
    std::lock_guard lock(m_mutex);
    platform::CopyText(m_statusFile, path);
}

std::string CxCommWaitWindow::GetStatusFile() const {
    std::lock_guard lock(m_mutex);
    return m_statusFile;
}
