// Writing the type C (or rotated) copy of the shown file beside it and listing it.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "file_actions.h"
#include "main_window.h"
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
#include "preview_pane.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gonilux::mainwindow {

using platform::MessageService;

QString TFileActions::exportTitle(bool conversion) const {
    return conversion ? tr("Save type B as C") : tr("Rotate from 90 to 0");
}

// A file that this program did not write is replaced only when the user agrees; the write is
// atomic, so a failure leaves the old file as it was.
bool TFileActions::writeExport(const QString& target, const std::string& text,
                               const QString& title) {
    const std::string nativeTarget = platform::NativePath(target).toStdString();
    const QString shown = QDir::toNativeSeparators(platform::DisplayPath(target));
    if (platform::IsRegularFile(target) && !IsAuthorFile(nativeTarget) &&
        !MessageService::instance()->ask(
            title, tr("The file %1 already exists and was not written by Gonilux.\rReplace it?")
                       .arg(shown)))
        return false;
    std::string error;
    if (WriteFileAtomically(nativeTarget, text, error)) return true;
    MessageService::instance()->show(
        title, tr("Cannot write the file %1\r%2").arg(shown, QString::fromLocal8Bit(error.c_str())),
        MessageService::Icon::Error);
    return false;
}

void TFileActions::SaveAsTypeCClick() {
    const int row = list_->currentRow();
    const TiesData* entry = list_->entryAt(row);
    if (!entry) return;
    const tIES& ies = window_->preview()->PreviewIes();
    if (ExportKindOf(ies) == ExportKind::None) return; // the item is hidden for such files
    const ExportText result = BuildExportText(ies, entry->Lines);
    const bool conversion = ExportKindOf(ies) == ExportKind::Conversion;
    if (!result.Ok) {
        MessageService::instance()->show(exportTitle(conversion), tr("Unexpected error."),
                                         MessageService::Icon::Error);
        return;
    }
    const QString sourceName = browser::EntryFileName(*entry);
    // Built from the bytes: a source name that is not UTF-8 keeps them in the new name.
    const QString target = platform::PathFromNative(QByteArray::fromStdString(ExportFileName(
        platform::NativePath(list_->folderPath()).toStdString(),
        platform::NativePath(browser::EntryPathName(*entry)).toStdString(), result.Kind)));
    if (!writeExport(target, result.Text(), exportTitle(conversion))) return;
    const QString newName = QFileInfo(target).fileName();
    list_->ReplaceFileEntry(newName);
    const QString text =
        conversion
            ? tr("Some data can be lost.\rFile %1 (type B) successfully converted to %2 (type C)")
            : tr("File %1 successfully rotated and saved to %2");
    MessageService::instance()->show(exportTitle(conversion),
                                     text.arg(sourceName, platform::DisplayPath(newName)),
                                     MessageService::Icon::Information);
}

} // namespace gonilux::mainwindow
