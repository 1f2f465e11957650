#include "common/misc/CxCommWaitWindow.h"

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

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

// Draws one line of text from `left`, vertically centred in the band that
// starts at `top`, cut at the right edge.
void DrawBandText(platform::Canvas& canvas, platform::FontWeight weight, const std::string& text, int left, int top,
                  int width) {
    if (text.empty()) return;
    canvas.DrawText(text, left, top, width - left, kBandHeight, weight, kFontPixels, kBlack);
}

}  // namespace

CxCommWaitWindow::CxCommWaitWindow() {
    m_message[0] = '\0';
    m_statusFile[0] = '\0';
}

CxCommWaitWindow::~CxCommWaitWindow() = default;

bool CxCommWaitWindow::OnCreate() {
    m_stopEvent.Reset();
    m_tickCount = 0;
    return true;
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

std::string CxCommWaitWindow::StatusLine() const {
    std::string line = GetMessage();
    line += line.empty() ? "" : "  ";
    return line + "Time Elapsed: " + ElapsedText();
}

void CxCommWaitWindow::OnPaint(platform::Canvas& canvas, int width, int height) {
    using platform::FontWeight;
    canvas.FillRect(0, 0, width, height, kWhite);
    DrawBandText(canvas, FontWeight::Bold, GetMessage(), kTextLeft, 0, width);
    DrawBandText(canvas, FontWeight::Bold, "Time Elapsed:", kTextLeft, kBandStep, width);
    DrawBandText(canvas, FontWeight::Normal, ElapsedText(), kSecondsLeft, kBandStep, width);

    const int squares = m_tickCount.load() % SquareSlots(width);
    for (int i = 0; i < squares; ++i)
        canvas.FillRect(kTextLeft + kSquareStep * i, kSquareTop, kSquareWidth, kSquareHeight, kSquareColour);
}

void CxCommWaitWindow::Show(platform::WaitSurface& surface) {
    surface.Paint([this](platform::Canvas& canvas, int width, int height) { OnPaint(canvas, width, height); });
    surface.ShowLine(StatusLine());
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
