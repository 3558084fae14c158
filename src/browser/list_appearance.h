// Appearance options of the file list: the hand pointer and underlined captions of hot-tracked
// items, hot tracking with its hover time, flat scroll bars, and the presets that name the usual
// combinations of the four hot-track switches.
#pragma once

#include <QColor>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOptionSlider>

namespace gonilux::browser {

struct ListAppearance {
    bool HandPointer = false;   // hand pointer over items; hot captions in the hot colour
    bool UnderlineHot = false;  // the caption of the item under the mouse is underlined
    bool UnderlineCold = false; // the captions of all other items are underlined
    bool HotTracking = false;   // the item under the mouse is highlighted and, after the
                                // hover time, selected

    bool operator==(const ListAppearance&) const = default;
};

// The radio buttons "Windows 9.x, Me", "Windows XP" and "自定义".
enum class ListPreset { L9X, LXP, LCustom };

// The preset the four switches match: all off is L9X, exactly the hand pointer and the hot
// underline is LXP, anything else LCustom.
ListPreset PresetOf(const ListAppearance& appearance);

// The switches a preset stands for; LCustom keeps `current`.
ListAppearance PresetAppearance(ListPreset preset, const ListAppearance& current = {});

// Whether an item's caption is underlined. In the list and icon views the hot item follows the
// hot switch and all others the cold one; thumbnail captions are all underlined by the cold
// switch, and the hot one also by the hot switch.
bool CaptionUnderlined(const ListAppearance& appearance, bool hot, bool thumbnailView);

// The hover time that stands for the platform's default.
inline constexpr int kDefaultHoverTime = -1;
// The platform's delay before a hot-tracked item is selected, in milliseconds.
int PlatformHoverTime();

// Colours by role: the caption of the hot item with the hand pointer on (list and icon views),
// the hot thumbnail caption (the active title bar colour), the hot-tracking highlight behind an
// item, and the 25 % selection tint of the focused thumbnail.
QColor HotCaptionColour(const QPalette& palette);
QColor ActiveCaptionColour(const QPalette& palette);
QColor HotTrackBackground(const QPalette& palette);
QColor FocusBlendColour(const QPalette& palette);

// Flat scroll bars: a plain track, flat buttons and a flat thumb without bevels; everything
// else is the application style's.
class FlatScrollBarStyle : public QProxyStyle {
  public:
    FlatScrollBarStyle() = default;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

  private:
    void drawFlatButton(const QStyleOptionSlider& bar, SubControl part, PrimitiveElement arrow,
                        QPainter* painter, const QWidget* widget) const;
};

} // namespace gonilux::browser
