#include "list_appearance.h"

#include <QPainter>

namespace gonilux::browser {

ListPreset PresetOf(const ListAppearance& appearance) {
    if (appearance == ListAppearance{}) return ListPreset::L9X;
    if (appearance == PresetAppearance(ListPreset::LXP)) return ListPreset::LXP;
    return ListPreset::LCustom;
}

ListAppearance PresetAppearance(ListPreset preset, const ListAppearance& current) {
    switch (preset) {
    case ListPreset::L9X:
        return {};
    case ListPreset::LXP: {
        ListAppearance xp;
        xp.HandPointer = true;
        xp.UnderlineHot = true;
        return xp;
    }
    case ListPreset::LCustom:
        break;
    }
    return current;
}

bool CaptionUnderlined(const ListAppearance& appearance, bool hot, bool thumbnailView) {
    if (thumbnailView) return appearance.UnderlineCold || (hot && appearance.UnderlineHot);
    return hot ? appearance.UnderlineHot : appearance.UnderlineCold;
}

int PlatformHoverTime() {
    // The desktop's usual mouse hover time; Qt offers no setting of its own for it.
    return 400;
}

QColor HotCaptionColour(const QPalette& palette) {
    return palette.color(QPalette::Link);
}

QColor ActiveCaptionColour(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Highlight);
}

QColor HotTrackBackground(const QPalette& palette) {
    QColor colour = palette.color(QPalette::Highlight);
    colour.setAlpha(48);
    return colour;
}

QColor FocusBlendColour(const QPalette& palette) {
    QColor colour = palette.color(QPalette::Highlight);
    colour.setAlpha(64); // a quarter of the highlight over the picture
    return colour;
}

// ---- Flat scroll bars ----

void FlatScrollBarStyle::drawComplexControl(ComplexControl control,
                                            const QStyleOptionComplex* option, QPainter* painter,
                                            const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QPalette& palette = bar->palette;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    painter->save();
    painter->fillRect(bar->rect, palette.color(QPalette::Midlight));
    drawFlatButton(*bar, SC_ScrollBarSubLine,
                   horizontal ? PE_IndicatorArrowLeft : PE_IndicatorArrowUp, painter, widget);
    drawFlatButton(*bar, SC_ScrollBarAddLine,
                   horizontal ? PE_IndicatorArrowRight : PE_IndicatorArrowDown, painter, widget);
    const QRect thumb = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, widget);
    if (bar->maximum > bar->minimum && thumb.isValid() && (bar->state & State_Enabled)) {
        const bool pressed =
            (bar->activeSubControls & SC_ScrollBarSlider) && (bar->state & State_Sunken);
        painter->fillRect(thumb, palette.color(pressed ? QPalette::Mid : QPalette::Button));
        painter->setPen(palette.color(QPalette::Mid));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(thumb.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

void FlatScrollBarStyle::drawFlatButton(const QStyleOptionSlider& bar, SubControl part,
                                        PrimitiveElement arrow, QPainter* painter,
                                        const QWidget* widget) const {
    const QRect rect = subControlRect(CC_ScrollBar, &bar, part, widget);
    if (!rect.isValid()) return;
    const bool pressed = (bar.activeSubControls & part) && (bar.state & State_Sunken);
    painter->fillRect(rect, bar.palette.color(pressed ? QPalette::Mid : QPalette::Button));
    QStyleOption arrowOption(bar);
    arrowOption.rect = rect.adjusted(3, 3, -3, -3);
    arrowOption.state &= ~(State_Sunken | State_MouseOver);
    proxy()->drawPrimitive(arrow, &arrowOption, painter, widget);
}

} // namespace gonilux::browser
