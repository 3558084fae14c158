// What the options drive: the file list, the folder tree, the preview and the title. At start
// every part gets its value once; later each change the panel reports reaches what it drives.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "diagram/render_diagram.h"
#include "hover_readout.h"
#include "main_window.h"
#include "options_panel.h"
#include "preview_pane.h"

namespace gonilux::mainwindow {

using browser::FolderListView;
using V = ViewerOptions;

namespace {

// The list's style for a view choice (list, icons, thumbnails, details).
FolderListView::ViewStyle ListStyleOf(int view) {
    return static_cast<FolderListView::ViewStyle>(view);
}

} // namespace

void TMainWindow::applyOptions(const ViewerOptions& o) {
    browser::SetHeaderEncodingChoice(o.Encoding);
    if (o.Caption != list_->captionChoice()) list_->ComboBoxCaptionChange(o.Caption);
    list_->CheckBoxSortClick(o.Sort);
    list_->setKeepCaption(o.KeepCaption);
    list_->CheckBoxLdtClick(o.ListLdt);
    list_->ComboBoxUpChange(o.UpStyle);
    list_->CheckBoxUpClick(o.UpEntry);
    const auto view = ListStyleOf(o.View);
    list_->setDetailsHeader(browser::ParseDetailsHeader(QString::fromStdString(o.DetailsColumns),
                                                        QString::fromStdString(o.DetailsSort)));
    if (o.View >= 0 && view != list_->viewStyle()) list_->setViewStyle(view);
    preview_->setQualityRedraw(o.QualityRedraw);
    preview_->setDiagramOptions(PanelDiagramOptions(o));
    preview_->setEyeSettings(EyeSettingsOf(o));
    list_->setQualityThumbnails(o.QualityRedraw);
    list_->setThumbnailOptions(preview_->diagramOptions());
    list_->setHandPointer(o.HandPointer);
    list_->setUnderlineHot(o.UnderlineHot);
    list_->setUnderlineCold(o.UnderlineCold);
    list_->setFlatScrollBars(o.FlatScrollBars);
    list_->setHotTracking(o.ListHotTrack);
    options_->EditHoverTimeExit(); // the stored hover time takes effect
    CheckBoxTitleBarClick();
}

void TMainWindow::applyTreeOptions(const ViewerOptions& o) {
    tree_->setLargeIcons(o.LargeIcons);
    tree_->setShowButtons(o.TreeButtons);
    tree_->setShowLines(o.TreeLines);
    tree_->setAutoExpand(o.AutoExpand);
    tree_->setHotTracking(o.TreeHotTrack);
}

void TMainWindow::onOptionsChanged(const ViewerOptions& now, const ViewerOptions& before) {
    const auto changed = [&](auto member) { return now.*member != before.*member; };
    if (changed(&V::Caption)) list_->ComboBoxCaptionChange(now.Caption);
    if (changed(&V::Sort)) list_->CheckBoxSortClick(now.Sort);
    if (changed(&V::Encoding)) {
        browser::SetHeaderEncodingChoice(now.Encoding);
        list_->UpdateCaptions(false);
        ShowPreviewItem(list_->currentRow());
    }
    if (changed(&V::KeepCaption)) list_->setKeepCaption(now.KeepCaption);
    if (changed(&V::ListLdt)) list_->CheckBoxLdtClick(now.ListLdt);
    if (changed(&V::UpEntry)) list_->CheckBoxUpClick(now.UpEntry);
    if (changed(&V::UpStyle)) list_->ComboBoxUpChange(now.UpStyle);
    if (changed(&V::View) && now.View >= 0) list_->setViewStyle(ListStyleOf(now.View));
    if (changed(&V::Multi) || changed(&V::Labels) || changed(&V::Complete) ||
        changed(&V::Warning) || changed(&V::Lengths))
        onDrawingOptionChanged(changed(&V::Complete) || changed(&V::Warning));
    if (changed(&V::Centre)) {
        preview_->setDiagramOptions(PanelDiagramOptions(now));
        preview_->RenderDiagram(RenderBackground | RenderDiagramCurves);
    }
    if (changed(&V::QualityRedraw)) {
        preview_->setQualityRedraw(now.QualityRedraw);
        list_->setQualityThumbnails(now.QualityRedraw);
    }
    if (changed(&V::FullPathTitle)) CheckBoxTitleBarClick();
    if (changed(&V::LargeIcons)) tree_->setLargeIcons(now.LargeIcons);
    if (changed(&V::TreeButtons)) tree_->setShowButtons(now.TreeButtons);
    if (changed(&V::TreeLines)) tree_->setShowLines(now.TreeLines);
    if (changed(&V::AutoExpand)) tree_->setAutoExpand(now.AutoExpand);
    if (changed(&V::TreeHotTrack)) tree_->setHotTracking(now.TreeHotTrack);
    if (changed(&V::HandPointer)) list_->setHandPointer(now.HandPointer);
    if (changed(&V::UnderlineHot)) list_->setUnderlineHot(now.UnderlineHot);
    if (changed(&V::UnderlineCold)) list_->setUnderlineCold(now.UnderlineCold);
    if (changed(&V::ListHotTrack)) list_->setHotTracking(now.ListHotTrack);
    if (changed(&V::FlatScrollBars)) list_->setFlatScrollBars(now.FlatScrollBars);
}

} // namespace gonilux::mainwindow
