#include "viewer_options.h"

#include "browser/details_columns.h"
#include "browser/folder_tree.h"
#include "browser/list_appearance.h"
#include "language.h"
#include "photometry/header_encoding.h"

#include <QString>
#include <algorithm>
#include <climits>

namespace gonilux::mainwindow {
namespace {

using V = ViewerOptions;
using K = OptionKind;

constexpr OptionRow Flag(const char* section, const char* key, bool on, bool V::*member) {
    return {.Section = section, .Key = key, .Kind = K::Switch, .Default = on, .Flag = member};
}
constexpr OptionRow Number(const char* section, const char* key, int value, int V::*member,
                           int minimum = INT_MIN, int maximum = INT_MAX, K kind = K::Number) {
    return {.Section = section,
            .Key = key,
            .Kind = kind,
            .Default = value,
            .Number = member,
            .Minimum = minimum,
            .Maximum = maximum};
}
constexpr OptionRow Slider(const char* section, const char* key, int value, int V::*member,
                           int minimum, int maximum) {
    return Number(section, key, value, member, minimum, maximum, K::Slider);
}
constexpr OptionRow Centred(const char* key, OptionCentre centre, int V::*member) {
    OptionRow row = Number("Viewer", key, 0, member);
    row.Centre = centre;
    return row;
}
constexpr OptionRow Choice(const char* section, const char* key, int index, int count,
                           int V::*member) {
    return {.Section = section,
            .Key = key,
            .Kind = K::Choice,
            .Default = index,
            .Number = member,
            .Maximum = count};
}
constexpr OptionRow Text(const char* section, const char* key, const char* value,
                         std::string V::*member,
                         std::string (*normalise)(const std::string&) = {}) {
    return {.Section = section,
            .Key = key,
            .Kind = K::Text,
            .TextDefault = value,
            .Text = member,
            .Normalise = normalise};
}
constexpr OptionRow Radio(const char* section, std::array<const char*, 4> names, int index,
                          int V::*member) {
    return {.Section = section,
            .Key = "RB",
            .Kind = K::Radio,
            .Default = index,
            .Number = member,
            .Names = names};
}

std::string LanguageOf(const std::string& text) {
    const auto language = ParseLanguage(QString::fromStdString(text));
    return LanguageCode(language.value_or(Language::Chinese)).toStdString();
}

// A name of the encoding list in any case; "auto" for anything else.
std::string EncodingOf(const std::string& text) {
    for (std::string_view name : HeaderEncodingNames())
        if (QString::fromStdString(text).compare(QString::fromUtf8(name.data(), name.size()),
                                                 Qt::CaseInsensitive) == 0)
            return std::string(name);
    return std::string(kAutoEncoding);
}

// The details view's header as the browser reads it: what it cannot read falls back to defaults.
std::string DetailsColumnsOf(const std::string& text) {
    const auto state = browser::ParseDetailsHeader(QString::fromStdString(text), {});
    return browser::DetailsColumnsText(state).toStdString();
}
std::string DetailsSortOf(const std::string& text) {
    const auto state = browser::ParseDetailsHeader({}, QString::fromStdString(text));
    return browser::DetailsSortText(state).toStdString();
}

constexpr const char* kView = "GroupBoxExView";
constexpr const char* kTree = "GroupBoxExTree";
constexpr const char* kList = "GroupBoxExList";
constexpr const char* kEye = "GroupBoxExEye";
constexpr const char* kFavourites = "GroupBoxExFavorites";
constexpr const char* kOther = "GroupBoxExOther";

// clang-format off
const OptionRow kTable[] = {
    Number("Viewer", "State", 0, &V::State),
    Number("Viewer", "Width", 800, &V::Width),
    Number("Viewer", "Height", 600, &V::Height),
    Centred("Left", OptionCentre::Horizontally, &V::Left),
    Centred("Top", OptionCentre::Vertically, &V::Top),
    Flag("Viewer", "Fit", false, &V::Fit),
    Flag("Viewer", "Ortho", true, &V::Ortho),
    Number("Viewer", "Tree", 362, &V::Tree),
    Number("Viewer", "Right", 330, &V::Right),
    Number("Viewer", "Info", 101, &V::Info),
    Text("Viewer", "Path", "", &V::Path),
    Text("Viewer", "DetailsColumns", browser::kDefaultDetailsColumns, &V::DetailsColumns,
         DetailsColumnsOf),
    Text("Viewer", "DetailsSort", "", &V::DetailsSort, DetailsSortOf),
    Number("Options", "K", 80, &V::LensRefraction, 0, 80),
    Number("Options", "R", 32, &V::LensRadius, 8, 64),
    Flag("Options", "Panel", true, &V::PanelShown),
    Flag("GroupBoxExOptions", "Collapsed", false, &V::OptionsCollapsed),
    Flag("GroupBoxExOptions", "CheckBoxHide", true, &V::AutoHide),
    Flag("GroupBoxExOptions", "CheckBoxAlways", true, &V::AlwaysShown),
    Flag(kView, "Collapsed", true, &V::ViewCollapsed),
    Choice(kView, "ComboBoxCaption", 0, 7, &V::Caption),
    Flag(kView, "CheckBoxSort", true, &V::Sort),
    Flag(kView, "CheckBoxLdt", true, &V::ListLdt),
    Radio(kView, {"RadioButtonList", "RadioButtonIcons", "RadioButtonThumbnails",
                  "RadioButtonDetails"}, 0, &V::View),
    Flag(kView, "CheckBoxKeep", false, &V::KeepCaption),
    Flag(kView, "CheckBoxMulti", false, &V::Multi),
    Flag(kView, "CheckBoxComplete", false, &V::Complete),
    Flag(kView, "CheckBoxWarning", true, &V::Warning),
    Flag(kView, "CheckBoxLabels", false, &V::Labels),
    Flag(kTree, "Collapsed", true, &V::TreeCollapsed),
    Flag(kTree, "CheckBoxLarge", false, &V::LargeIcons),
    Flag(kTree, "CheckBoxButton", true, &V::TreeButtons),
    Flag(kTree, "CheckBoxLines", false, &V::TreeLines),
    Flag(kTree, "CheckBoxExpand", false, &V::AutoExpand),
    Flag(kTree, "CheckBoxHotTrack", false, &V::TreeHotTrack),
    Radio(kTree, {"RadioButton9X", "RadioButtonXP", "RadioButtonCustom"}, 1, &V::TreeStyle),
    Flag(kList, "Collapsed", true, &V::ListCollapsed),
    Flag(kList, "CheckBoxHandPont", true, &V::HandPointer),
    Flag(kList, "CheckBoxUnderlineHot", true, &V::UnderlineHot),
    Flag(kList, "CheckBoxUnderlineCold", true, &V::UnderlineCold),
    Flag(kList, "CheckBoxFlat", true, &V::FlatScrollBars),
    Flag(kList, "CheckBoxLHotTrack", true, &V::ListHotTrack),
    Text(kList, "EditHoverTime", "-1", &V::HoverTime),
    Radio(kList, {"RadioButtonL9X", "RadioButtonLXP", "RadioButtonLCustom"}, 1, &V::ListStyle),
    Flag(kList, "CheckBoxUp", true, &V::UpEntry),
    Choice(kList, "ComboBoxUp", 2, 3, &V::UpStyle),
    Flag(kList, "CheckBoxDblClick", true, &V::DoubleClick),
    Choice(kList, "ComboBoxDblClick", 0, 2, &V::DoubleClickAction),
    Flag(kEye, "Collapsed", true, &V::EyeCollapsed),
    Slider(kEye, "TrackBarR", 32, &V::LensRadius, 8, 64),
    Slider(kEye, "TrackBarK", 80, &V::LensRefraction, 0, 80),
    Flag(kEye, "CheckBoxLink", true, &V::LensLink),
    Flag(kEye, "CheckBoxPlus", true, &V::LensPlus),
    Flag(kEye, "CheckBoxOn", true, &V::LensOn),
    Slider(kEye, "TrackBarAlpha", 128, &V::ReadoutAlpha, 0, 255),
    Flag(kFavourites, "Collapsed", true, &V::FavouritesCollapsed),
    Flag(kFavourites, "CheckBoxFavs", true, &V::FavouriteSettings),
    Flag(kFavourites, "CheckBoxFavViews", true, &V::FavouriteViews),
    Flag(kFavourites, "CheckBoxFavCaptions", true, &V::FavouriteCaptions),
    Flag(kOther, "Collapsed", false, &V::OtherCollapsed),
    Flag(kOther, "CheckBoxMessages", true, &V::IoMessages),
    Text(kOther, "EditTrel", "-1", &V::About),
    Flag(kOther, "CheckBoxSave", true, &V::SaveFolder),
    Flag(kOther, "CheckBoxMethod", true, &V::QualityRedraw),
    Flag(kOther, "CheckBoxTitleBar", true, &V::FullPathTitle),
    Choice(kOther, "ComboBoxLengths", 0, 2, &V::Lengths),
    Text(kLanguageSection, kLanguageKey, "zh", &V::Language, LanguageOf),
    Text(kOther, "Encoding", "auto", &V::Encoding, EncodingOf),
};

// The keys read before the favourites, in this order: those that cannot be malformed first.
const std::pair<const char*, const char*> kWindowKeys[] = {
    {kLanguageSection, kLanguageKey}, {kOther, "Encoding"}, {"Viewer", "Path"},
    {"Viewer", "Width"}, {"Viewer", "Height"}, {"Viewer", "Left"}, {"Viewer", "Top"},
    {"Viewer", "Ortho"}, {"Viewer", "Fit"}, {"Viewer", "State"}, {"Viewer", "Tree"},
    {"Viewer", "Right"}, {"Viewer", "Info"}, {"Options", "Panel"}, {"Options", "K"},
    {"Options", "R"}};
// clang-format on

bool IsWindowKey(const OptionRow& row) {
    return std::any_of(std::begin(kWindowKeys), std::end(kWindowKeys), [&](const auto& key) {
        return std::string_view(key.first) == row.Section &&
               std::string_view(key.second) == row.Key;
    });
}

const OptionRow& RowOf(std::string_view section, std::string_view key) {
    for (const OptionRow& row : kTable)
        if (row.Section == section && row.Key == key) return row;
    return kTable[0]; // not reached: every window key has its row
}

int CentredDefault(const OptionRow& row, const ViewerOptions& options, QSize screen,
                   QSize minimum) {
    if (row.Centre == OptionCentre::Horizontally)
        return (screen.width() - std::max(options.Width, minimum.width())) / 2;
    return (screen.height() - std::max(options.Height, minimum.height())) / 2;
}

bool ReadRow(const IniDocument& ini, const OptionRow& row, ViewerOptions& options, QSize screen,
             QSize minimum) {
    if (row.Kind == K::Text) {
        const std::string text = ini.ValueOr(row.Section, row.Key, row.TextDefault);
        options.*row.Text = row.Normalise ? row.Normalise(text) : text;
        return true;
    }
    if (row.Kind == K::Radio) {
        const std::string name = ini.ValueOr(row.Section, row.Key, row.Names[row.Default]);
        const auto found = std::find_if(row.Names.begin(), row.Names.end(),
                                        [&](const char* each) { return each && name == each; });
        options.*row.Number = found == row.Names.end() ? -1 : int(found - row.Names.begin());
        return true;
    }
    int fallback = row.Default;
    if (row.Kind == K::Slider) fallback = options.*row.Number;
    if (row.Centre != OptionCentre::None) fallback = CentredDefault(row, options, screen, minimum);
    const std::optional<int> value = ini.IntegerOr(row.Section, row.Key, fallback);
    if (!value) return false;
    if (row.Kind == K::Switch)
        options.*row.Flag = *value != 0;
    else if (row.Kind == K::Choice)
        options.*row.Number = *value >= 0 && *value < row.Maximum ? *value : -1;
    else
        options.*row.Number = std::clamp(*value, row.Minimum, row.Maximum);
    return true;
}

// A preset button sets the switches it stands for.
void ApplyPreset(const OptionRow& radio, ViewerOptions& o) {
    if (radio.Number == &V::TreeStyle && (o.TreeStyle == 0 || o.TreeStyle == 1)) {
        o.TreeLines = o.TreeStyle == 0;
        o.AutoExpand = o.TreeHotTrack = o.TreeStyle == 1;
    } else if (radio.Number == &V::ListStyle && (o.ListStyle == 0 || o.ListStyle == 1)) {
        const browser::ListAppearance look =
            browser::PresetAppearance(static_cast<browser::ListPreset>(o.ListStyle));
        o.HandPointer = look.HandPointer;
        o.UnderlineHot = look.UnderlineHot;
        o.UnderlineCold = look.UnderlineCold;
        o.ListHotTrack = look.HotTracking;
    }
}

bool ReadGroups(const IniDocument& ini, ViewerOptions& options) {
    const OptionRow* radio = nullptr;
    for (std::size_t i = 0; i < std::size(kTable); ++i) {
        const OptionRow& row = kTable[i];
        if (IsWindowKey(row)) continue;
        if (row.Kind == K::Radio)
            radio = &row;
        else if (!ReadRow(ini, row, options, {}, {}))
            return false;
        const bool groupEnds =
            i + 1 == std::size(kTable) || std::string_view(kTable[i + 1].Section) != row.Section;
        if (groupEnds && radio) {
            ReadRow(ini, *radio, options, {}, {});
            ApplyPreset(*radio, options);
            radio = nullptr;
        }
    }
    return true;
}

} // namespace

std::span<const OptionRow> ViewerOptionTable() {
    return kTable;
}

ViewerOptions DefaultViewerOptions(QSize screen, QSize minimum) {
    ViewerOptions options;
    const IniDocument none;
    for (const OptionRow& row : kTable)
        if (row.Kind == K::Slider) options.*row.Number = row.Default;
    ReadWindowOptions(none, options, screen, minimum);
    ReadGroupOptions(none, options);
    return options;
}

bool ReadWindowOptions(const IniDocument& ini, ViewerOptions& options, QSize screen,
                       QSize minimum) {
    for (const auto& [section, key] : kWindowKeys)
        if (!ReadRow(ini, RowOf(section, key), options, screen, minimum)) return false;
    return true;
}

bool ReadGroupOptions(const IniDocument& ini, ViewerOptions& options) {
    const bool read = ReadGroups(ini, options);
    MatchPresets(options);
    return read;
}

void WriteViewerOptions(const ViewerOptions& options, IniDocument& ini) {
    for (const OptionRow& row : kTable) {
        if (row.Kind == K::Text) {
            ini.SetValue(row.Section, row.Key, options.*row.Text);
        } else if (row.Kind == K::Radio) {
            const int index = options.*row.Number;
            if (index >= 0 && index < int(row.Names.size()) && row.Names[std::size_t(index)])
                ini.SetValue(row.Section, row.Key, row.Names[std::size_t(index)]);
        } else {
            ini.SetInteger(row.Section, row.Key,
                           row.Kind == K::Switch ? int(options.*row.Flag) : options.*row.Number);
        }
    }
}

void MatchPresets(ViewerOptions& o) {
    o.TreeStyle = int(browser::treePresetFor(o.TreeLines, o.AutoExpand, o.TreeHotTrack));
    o.ListStyle =
        int(browser::PresetOf({o.HandPointer, o.UnderlineHot, o.UnderlineCold, o.ListHotTrack}));
}

DiagramOptions PanelDiagramOptions(const ViewerOptions& options) {
    DiagramOptions diagram;
    diagram.Center = options.Centre;
    diagram.Complete = options.Complete;
    diagram.Multi = options.Multi;
    diagram.Warning = options.Warning;
    diagram.Labels = options.Labels;
    diagram.Lengths = options.Lengths == 1 ? LengthSystem::File : LengthSystem::Metric;
    return diagram;
}

} // namespace gonilux::mainwindow
