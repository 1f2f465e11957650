#include "app/wizard/TfmPicture.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "app/AppIds.h"

namespace {

struct AppLook {
    const char* name;
    QColor colour;
};

AppLook LookOf(int appId) {
    switch (appId) {
    case kAppACT: return {"ACT!", QColor(0xC0, 0x39, 0x2B)};
    case kAppGoogle: return {"Google", QColor(0x34, 0x7D, 0xE0)};
    case kAppLotus: return {"Lotus Notes", QColor(0xD4, 0xA0, 0x17)};
    case kAppPalm: return {"Palm Desktop", QColor(0x2E, 0x8B, 0x57)};
    default: return {"?", QColor(0x90, 0x90, 0x90)};
    }
}

// A rounded badge with a name centred in it.
void DrawBadge(QPainter& p, const QRectF& box, const QColor& colour, const QString& name) {
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, colour.lighter(130));
    fill.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(box, 10, 10);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(box.height() / 4));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, name);
}

void DrawProductText(QPainter& p, const QRectF& r) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(r.height() * 0.38));
    p.setFont(font);
    p.setPen(QColor(0x1F, 0x4E, 0x79));
    QRectF top = r;
    top.setHeight(r.height() * 0.6);
    p.drawText(top, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Ferrywise"));
    font.setBold(false);
    font.setPixelSize(static_cast<int>(r.height() * 0.2));
    p.setFont(font);
    p.setPen(QColor(0x40, 0x40, 0x40));
    QRectF bottom = r;
    bottom.setTop(top.bottom() + 2);
    p.drawText(bottom, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("for Outlook"));
}

// An arrow across the left part, then the Outlook badge.
void DrawArrow(QPainter& p, const QRectF& r) {
    const QRectF badge(r.right() - r.height() * 1.5, r.top() + r.height() * 0.15, r.height() * 1.5, r.height() * 0.7);
    const qreal y = r.center().y();
    const qreal left = r.left() + 6, tip = badge.left() - 8;
    const qreal shaft = r.height() * 0.12, head = r.height() * 0.28;
    QPainterPath arrow;
    arrow.moveTo(left, y - shaft);
    arrow.lineTo(tip - head, y - shaft);
    arrow.lineTo(tip - head, y - head);
    arrow.lineTo(tip, y);
    arrow.lineTo(tip - head, y + head);
    arrow.lineTo(tip - head, y + shaft);
    arrow.lineTo(left, y + shaft);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7F, 0xA7, 0xD1));
    p.drawPath(arrow);
    DrawBadge(p, badge, QColor(0x10, 0x6E, 0xBE), QStringLiteral("Outlook"));
}

}  // namespace

TfmPicture::TfmPicture(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {}

void TfmPicture::SetApp(int appId) {
    if (m_app == appId) return;
    m_app = appId;
    update();
}

void TfmPicture::SetClickable(bool clickable) {
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfmPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(4, 4, -4, -4);
    switch (m_kind) {
    case Kind::ProductText: DrawProductText(p, r); break;
    case Kind::Application: {
        const AppLook look = LookOf(m_app);
        DrawBadge(p, r, look.colour, QString::fromUtf8(look.name));
        break;
    }
    case Kind::Arrow: DrawArrow(p, r); break;
    }
}

void TfmPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (m_clickable && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
