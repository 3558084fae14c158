// Every option the viewer keeps in its settings file, as one value, and the one table that gives
// each its section, key, kind and default. Reading and writing the file go through the table;
// the options panel shows the value and reports the user's changes of it.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ini_document.h"

#include <QSize>
#include <array>
#include <span>
#include <string>

namespace gonilux::mainwindow {

// The view choice's fourth value: the details view.
inline constexpr int kDetailsView = 3;

struct ViewerOptions {
    // [Viewer]: the window, its splitters and the last folder.
    int State = 0; // 0 normal, 1 minimised, 2 maximised; anything else counts as normal
    int Width = 0, Height = 0, Left = 0, Top = 0;
    bool Fit = false, Ortho = false;   // the preview's two buttons
    int Tree = 0, Right = 0, Info = 0; // the preview's height, the left column's width, the info
    std::string Path;                  // the folder's bytes as the file system has them
    // The details view's header (browser::ParseDetailsHeader): columns and sort as text.
    std::string DetailsColumns, DetailsSort;
    // [Options]
    bool PanelShown = false;
    // The seven groups of the options panel, in their order, each with its Collapsed flag.
    bool OptionsCollapsed = false, AutoHide = false, AlwaysShown = false;
    bool ViewCollapsed = false;
    int Caption = 0; // the caption choice: file name, then the header titles
    bool Sort = false, ListLdt = false;
    int View = 0; // list, icons, thumbnails, details (FolderListView::ViewStyle); -1: none
    bool KeepCaption = false, Multi = false, Complete = false, Warning = false, Labels = false;
    bool TreeCollapsed = false, LargeIcons = false, TreeButtons = false, TreeLines = false,
         AutoExpand = false, TreeHotTrack = false;
    int TreeStyle = 0; // the tree's preset: 9x, XP, custom (browser::TreePreset); -1: none
    bool ListCollapsed = false, HandPointer = false, UnderlineHot = false, UnderlineCold = false,
         FlatScrollBars = false, ListHotTrack = false;
    std::string HoverTime; // as typed; -1 is the platform's delay
    int ListStyle = 0;     // the list's preset: 9x, XP, custom (browser::ListPreset); -1: none
    bool UpEntry = false;  // the ".." entry
    int UpStyle = 0;       // its caption
    bool DoubleClick = false;
    int DoubleClickAction = 0; // 0 opens with the default program, 1 in the text editor
    bool EyeCollapsed = false;
    int LensRadius = 0, LensRefraction = 0;
    bool LensLink = false, LensPlus = false, LensOn = false;
    int ReadoutAlpha = 0;
    bool FavouritesCollapsed = false, FavouriteSettings = false, FavouriteViews = false,
         FavouriteCaptions = false;
    bool OtherCollapsed = false, IoMessages = false;
    std::string About; // EditTrel: what the program is built with, shown, stored, never read
    bool SaveFolder = false, QualityRedraw = false, FullPathTitle = false;
    std::string Language; // the stored interface language, "zh" or "en"
    std::string Encoding; // header text: "auto" or an encoding's name
    int Lengths = 0;      // lengths (the luminous opening): 0 metric, 1 the file's own units
    // Not stored: the hidden switch that centres the curves.
    bool Centre = false;

    bool operator==(const ViewerOptions&) const = default;
};

enum class OptionKind {
    Switch, // 0 or 1; any other number is on
    Number, // a whole number, clamped into Minimum..Maximum
    Slider, // the same, and a missing key keeps what an earlier key gave
    Choice, // a drop-down's index; one outside 0..Maximum - 1 chooses nothing (-1)
    Text,   // verbatim, or as Normalise makes it
    Radio,  // "RB": the name of the checked button of Names; an unknown name checks none (-1)
};

// Left and Top default to the window centred on the screen.
enum class OptionCentre { None, Horizontally, Vertically };

struct OptionRow {
    const char* Section;
    const char* Key;
    OptionKind Kind;
    int Default = 0;
    const char* TextDefault = "";
    bool ViewerOptions::*Flag = nullptr;
    int ViewerOptions::*Number = nullptr;
    std::string ViewerOptions::*Text = nullptr;
    int Minimum = 0, Maximum = 0;
    std::array<const char*, 4> Names{}; // unused places are null
    std::string (*Normalise)(const std::string&) = nullptr;
    OptionCentre Centre = OptionCentre::None;
};

// Every stored option in the order a new settings file lists them.
std::span<const OptionRow> ViewerOptionTable();

// Every option at its default: the window centred on `screen` (its size bounded below by
// `minimum`, as the window bounds it), and the tree's and the list's switches as their preset
// buttons set them.
ViewerOptions DefaultViewerOptions(QSize screen, QSize minimum);

// Reading works on a value holding the defaults. A malformed number stops it (false): what was
// read before stays, the rest keeps its default. The window's keys, the language and the encoding
// come first (ReadWindowOptions; the favourites are read next), then the groups in file order, a
// group's "RB" after its other keys: a preset button then sets the switches it stands for.
bool ReadWindowOptions(const IniDocument& ini, ViewerOptions& options, QSize screen, QSize minimum);
bool ReadGroupOptions(const IniDocument& ini, ViewerOptions& options);
// Writes every key in table order; "RB" only when a button is chosen.
void WriteViewerOptions(const ViewerOptions& options, IniDocument& ini);

// The preset buttons show the preset their switches match (custom when none).
void MatchPresets(ViewerOptions& options);

// The drawing switches of the panel (fit and orthogonal stay the preview's own).
DiagramOptions PanelDiagramOptions(const ViewerOptions& options);

} // namespace gonilux::mainwindow
