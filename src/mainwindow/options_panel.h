// The options panel at the right edge of the file list: seven collapsible groups of option
// controls, named as the settings file knows them, stacked in a taller inner panel that scrolls
// by dragging, by the wheel and by its scroll bar, and that hides and slides in again. It shows a
// ViewerOptions value and reports the user's changes of it; its controls are its own.
#pragma once

#include "viewer_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QWidget>
#include <vector>

namespace gonilux::mainwindow {

class TGroupBoxEx;

class OptionsPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kShownWidth = 144;

    explicit OptionsPanel(QWidget* parent = nullptr);

    // The value shown. The window's own values (geometry, splitters, folder) pass through.
    ViewerOptions options() const;
    // Shows `options` without reporting anything (the caller applies them itself).
    void setOptions(const ViewerOptions& options);
    // Changes what differs as the user would: each change is reported by optionsChanged.
    void changeOptions(const ViewerOptions& options);
    // The seven groups in stacking (and settings) order.
    QList<TGroupBoxEx*> groups() const;
    // The favourites' list box and its two buttons, which act on the favourites.
    QListWidget* favouritesBox() const { return ListBoxFavorites; }
    QPushButton* addFavouriteButton() const { return ButtonAdd; }
    QPushButton* removeFavouriteButton() const { return ButtonRemove; }

    void FitOptionsPanel();
    void PanelMainResize();
    void ButtonHideClick();
    void ButtonShowClick();
    // Mouse moves over the form or the file list: auto-hide, or show at the right edge.
    void FormMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                       int listWidth);
    bool isShown() const { return isEnabled() && isVisible(); }
    // Whether the stack is taller than the panel (it can be drag-scrolled).
    bool canScroll() const;
    // The hover-time field: keys it refuses, and the value Enter takes from a text.
    static bool HoverKeyAccepted(const QString& text, QChar key);
    static int HoverTimeFromText(const QString& text);
    void setReturnControl(QWidget* control) { returnControl_ = control; }

  signals:
    // The user changed an option (also through changeOptions): the value before and after.
    void optionsChanged(const ViewerOptions& now, const ViewerOptions& before);
    // A language chosen in its box (0 Chinese, 1 English); it takes effect at the next start.
    void languageChosen(int index);
    void refreshRequested();
    // Enter in the hover-time field (or leaving it): the list takes the value; the field then
    // shows what the list reports (setHoverTimeText).
    void hoverTimeEntered(int milliseconds);

  public:
    void setHoverTimeText(int milliseconds);
    void EditHoverTimeExit();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A stored control of a group, found by the key of its table row (radio buttons: by the
    // row's names; the group itself for "Collapsed"; none for the window's own values).
    struct Binding {
        const OptionRow* Row = nullptr;
        TGroupBoxEx* Group = nullptr;
        QWidget* Control = nullptr;
        QList<QRadioButton*> Radios;
    };
    void bindControls();
    void apply(const ViewerOptions& options, bool quietly);
    void onControlChanged();
    void syncEnabled();
    void wirePresets();
    void CheckBoxAlwaysClick();
    void recomputeTreePreset();
    void recomputeListPreset();
    void buildOptionsGroup();
    void buildViewGroup();
    void buildTreeGroup();
    void buildListGroup();
    void buildEyeGroup();
    void buildFavouritesGroup();
    void buildOtherGroup();
    void buildLanguageRow();
    TGroupBoxEx* addGroup(const char* name, const QString& caption, int designedHeight);
    QCheckBox* addCheck(TGroupBoxEx* group, const char* name, const QString& caption, bool on,
                        const char* hint = nullptr);
    QRadioButton* addRadio(TGroupBoxEx* group, const char* name, const QString& caption);
    QSlider* addSlider(TGroupBoxEx* group, const char* name, int minimum, int maximum, int value,
                       const char* hint);
    QComboBox* addCombo(TGroupBoxEx* group, const char* name, const QStringList& items, int index);
    void finishGroups();
    void bindDragScrolling(QWidget* widget);
    void PanelMainChildMouseDown(QMouseEvent* event);
    void PanelMainChildMouseMove(QMouseEvent* event);
    void onFocusChanged(QWidget* old, QWidget* now);
    void syncScrollBar();

    bool panelDragging_ = false;
    int panelDragOffset_ = 0;
    QPointer<QWidget> returnControl_;
    QList<TGroupBoxEx*> groups_;
    std::vector<Binding> bindings_;
    ViewerOptions shown_;  // as last reported
    std::string language_; // the stored choice, which "--lang" does not change

    QWidget* PanelMainChild = nullptr;
    QScrollBar* ScrollBar = nullptr; // shown while the stack is taller than the panel
    TGroupBoxEx* GroupBoxExOptions = nullptr;
    TGroupBoxEx* GroupBoxExView = nullptr;
    TGroupBoxEx* GroupBoxExTree = nullptr;
    TGroupBoxEx* GroupBoxExList = nullptr;
    TGroupBoxEx* GroupBoxExEye = nullptr;
    TGroupBoxEx* GroupBoxExFavorites = nullptr;
    TGroupBoxEx* GroupBoxExOther = nullptr;

    QCheckBox* CheckBoxHide = nullptr;
    QCheckBox* CheckBoxAlways = nullptr;
    QPushButton* ButtonHide = nullptr;
    QPushButton* ButtonRefresh = nullptr;

    QComboBox* ComboBoxCaption = nullptr;
    QCheckBox* CheckBoxSort = nullptr;
    QCheckBox* CheckBoxLdt = nullptr;
    QRadioButton* RadioButtonList = nullptr;
    QRadioButton* RadioButtonIcons = nullptr;
    QRadioButton* RadioButtonThumbnails = nullptr;
    QRadioButton* RadioButtonDetails = nullptr;
    QCheckBox* CheckBoxKeep = nullptr;
    QCheckBox* CheckBoxMulti = nullptr;
    QCheckBox* CheckBoxComplete = nullptr;
    QCheckBox* CheckBoxWarning = nullptr;
    QCheckBox* CheckBoxLabels = nullptr;

    QCheckBox* CheckBoxLarge = nullptr;
    QCheckBox* CheckBoxButton = nullptr;
    QCheckBox* CheckBoxLines = nullptr;
    QCheckBox* CheckBoxExpand = nullptr;
    QCheckBox* CheckBoxHotTrack = nullptr;
    QRadioButton* RadioButton9X = nullptr;
    QRadioButton* RadioButtonXP = nullptr;
    QRadioButton* RadioButtonCustom = nullptr;

    QCheckBox* CheckBoxHandPont = nullptr;
    QCheckBox* CheckBoxUnderlineHot = nullptr;
    QCheckBox* CheckBoxUnderlineCold = nullptr;
    QCheckBox* CheckBoxFlat = nullptr;
    QCheckBox* CheckBoxLHotTrack = nullptr;
    QLineEdit* EditHoverTime = nullptr;
    QRadioButton* RadioButtonL9X = nullptr;
    QRadioButton* RadioButtonLXP = nullptr;
    QRadioButton* RadioButtonLCustom = nullptr;
    QCheckBox* CheckBoxUp = nullptr;
    QComboBox* ComboBoxUp = nullptr;
    QComboBox* ComboBoxDblClick = nullptr;
    QCheckBox* CheckBoxDblClick = nullptr;

    QSlider* TrackBarR = nullptr;
    QSlider* TrackBarK = nullptr;
    QCheckBox* CheckBoxLink = nullptr;
    QCheckBox* CheckBoxPlus = nullptr;
    QCheckBox* CheckBoxOn = nullptr;
    QSlider* TrackBarAlpha = nullptr;
    QWidget* PaintBoxArc = nullptr; // pictogram of the lens glass, not stored

    QCheckBox* CheckBoxFavs = nullptr;
    QCheckBox* CheckBoxFavViews = nullptr;
    QCheckBox* CheckBoxFavCaptions = nullptr;
    QListWidget* ListBoxFavorites = nullptr;
    QPushButton* ButtonAdd = nullptr;
    QPushButton* ButtonRemove = nullptr;

    QCheckBox* CheckBoxMessages = nullptr;
    QLineEdit* EditTrel = nullptr;
    QCheckBox* CheckBoxSave = nullptr;
    QCheckBox* CheckBoxMethod = nullptr;
    QCheckBox* CheckBoxTitleBar = nullptr;
    QLabel* LabelLanguage = nullptr;
    QComboBox* ComboBoxLanguage = nullptr; // kept under its own key, see language.h
    QComboBox* ComboBoxLengths = nullptr;  // metric or the file's own units
    QLabel* LabelEncoding = nullptr;
    QComboBox* ComboBoxEncoding = nullptr; // header encoding: "auto" or a name, key Encoding
    QLabel* LabelMy = nullptr;
    QCheckBox* CheckBoxCenter = nullptr; // hidden redraw trigger
};

} // namespace gonilux::mainwindow
