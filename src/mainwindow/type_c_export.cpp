// Writing converted copies of the shown file beside it and listing them: type C (relabelled,
// rotated or re-sampled), EULUMDAT from IES and IES from EULUMDAT. Each result box gives the
// luminous flux before and after, so a conversion that changed the light shows it.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "diagram/diagram_text.h"
#include "file_actions.h"
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "photometry/ldt_writer.h"
#include "photometry/metrics.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
#include "preview_pane.h"
#include "viewer_services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace gonilux::mainwindow {
namespace {

using platform::MessageService;

QString FluxText(double lumens) {
    return std::isfinite(lumens) ? GroupedFigure(lumens, FigureKind::Flux) : QStringLiteral("?");
}

double FluxOf(const tIES& ies) {
    return ComputeMetrics(ies).LuminaireFlux;
}

// The flux of a written text, read back as the file will be read.
double FluxOfText(const std::string& text, bool ldt) {
    tIES ies;
    if (ldt)
        ParseLdt(text, "x.ldt", ies);
    else
        ParseIes(text, ies);
    return FluxOf(ies);
}

} // namespace

QString FileActions::exportTitle(bool conversion) const {
    return conversion ? tr("另存为C型") : tr("从 90° 旋转到 0°");
}

std::string FileActions::shownFilePath() const {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return {};
    return (platform::NativePath(list_->folderPath()) + '/' +
            platform::NativePath(browser::EntryPathName(*entry)))
        .toStdString();
}

// The name of a file written beside the shown one, made from the bytes of its name: a name
// that is not UTF-8 keeps them.
QString FileActions::besideName(const std::function<std::string(const std::string&)>& name) const {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return {};
    const std::string source = platform::NativePath(browser::EntryPathName(*entry)).toStdString();
    return platform::PathFromNative(QByteArray::fromStdString(name(source)));
}

// A file that this program did not write is replaced only when the user agrees; the write is
// atomic, so a failure leaves the old file as it was.
bool FileActions::writeExport(const QString& target, const std::string& text,
                              const QString& title) {
    const std::string nativeTarget = platform::NativePath(target).toStdString();
    const QString shown = QDir::toNativeSeparators(platform::DisplayPath(target));
    if (platform::IsRegularFile(target) && !IsAuthorFile(nativeTarget) &&
        !MessageService::instance()->ask(
            title, tr("文件 %1 已存在, 不是 Gonilux 写的。\r替换它吗?").arg(shown)))
        return false;
    std::string error;
    if (WriteFileAtomically(nativeTarget, text, error)) return true;
    MessageService::instance()->show(
        title, tr("无法写入文件 %1\r%2").arg(shown, QString::fromLocal8Bit(error.c_str())),
        MessageService::Icon::Error);
    return false;
}

bool FileActions::writeBeside(const QString& fileName, const std::string& text,
                              const QString& title) {
    const QString target = platform::PathFromNative(platform::NativePath(list_->folderPath()) +
                                                    '/' + platform::NativePath(fileName));
    if (!writeExport(target, text, title)) return false;
    list_->ReplaceFileEntry(fileName);
    return true;
}

void FileActions::SaveAsTypeCClick() {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return;
    const tIES& ies = viewer_->preview()->PreviewIes();
    if (ExportKindOf(ies) == ExportKind::None) return; // the item is hidden for such files
    std::string bytes, error;
    ReadWholeFile(shownFilePath(), bytes, error);
    const ExportText result = BuildExportText(ies, entry->Lines, HeaderKeywordLines(bytes));
    const bool conversion = ExportKindOf(ies) == ExportKind::Conversion;
    const QString problem = notWritten(false, result.Ok, tableNotConverted());
    if (!problem.isEmpty()) {
        MessageService::instance()->show(exportTitle(conversion), problem,
                                         MessageService::Icon::Error);
        return;
    }
    const QString sourceName = browser::EntryFileName(*entry);
    const QString newName =
        besideName([&](const std::string& n) { return ExportFileName("", n, result.Kind); });
    const std::string text = result.Text();
    if (!writeBeside(newName, text, exportTitle(conversion))) return;
    const QString done = conversion ? tr("部分数据可能丢失。\r文件 %1 (B型) 已转换为 %2 (C型)")
                                    : tr("文件 %1 已旋转并保存为 %2");
    const QString flux = tr("光通量: 之前 %1 lm, 之后 %2 lm")
                             .arg(FluxText(FluxOf(ies)), FluxText(FluxOfText(text, false)));
    MessageService::instance()->show(exportTitle(conversion),
                                     done.arg(sourceName, platform::DisplayPath(newName)) + u'\r' +
                                         flux,
                                     MessageService::Icon::Information);
}

QString FileActions::notWritten(bool refuseDamaged, bool ok, const QString& tableProblem) const {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return {};
    const QString name = browser::EntryFileName(*entry);
    const ReadDiagnostics& d = entry->Diagnostics;
    if (d.HeaderError && (refuseDamaged || !ok)) {
        const QString damaged = IsLdtFileName(platform::NativePath(name).toStdString())
                                    ? tr("%1: EULUMDAT 文件已损坏 (第 %2 行); 未写入任何文件")
                                    : tr("%1: 文件已损坏 (第 %2 行); 未写入任何文件");
        return damaged.arg(name).arg(d.HeaderErrorLine);
    }
    if (d.Truncated() && (refuseDamaged || !ok)) // a file that ends early, as the CLI says it
        return tr("%1: 文件已损坏 (%3 个数值中只有 %2 个); 未写入任何文件")
            .arg(name)
            .arg(d.ValuesRead)
            .arg(d.ValuesExpected);
    return ok ? QString() : tableProblem.arg(name);
}

QString FileActions::tableNotConverted() const {
    return tr("%1: 无法转换此文件的光强表; 未写入任何文件");
}

// Writes `text` beside the shown file as `newName` and says so with the luminous flux before and
// after: `done` takes the source's name, the new name and the two fluxes. With a `problem`
// nothing is written and the problem is shown.
void FileActions::writeConverted(const QString& title, const QString& newName,
                                 const QString& problem, const std::string& text, bool ldt,
                                 const QString& done) {
    if (!problem.isEmpty()) {
        MessageService::instance()->show(title, problem, MessageService::Icon::Error);
        return;
    }
    if (!writeBeside(newName, text, title)) return;
    const TiesData* entry = list_->entryAt(list_->currentRow());
    const QString sourceName = entry ? browser::EntryFileName(*entry) : QString();
    MessageService::instance()->show(title,
                                     done.arg(sourceName, platform::DisplayPath(newName),
                                              FluxText(FluxOf(viewer_->preview()->PreviewIes())),
                                              FluxText(FluxOfText(text, ldt))),
                                     MessageService::Icon::Information);
}

void FileActions::SaveAsTypeCResampledClick() {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return;
    std::string bytes, error;
    ReadWholeFile(shownFilePath(), bytes, error);
    const ExportText result = BuildResampledText(viewer_->preview()->PreviewIes(), entry->Lines,
                                                 HeaderKeywordLines(bytes));
    writeConverted(tr("另存为C型 (重采样)"), besideName([&](const std::string& n) {
                       return ExportFileName("", n, result.Kind);
                   }),
                   notWritten(false, result.Ok, tableNotConverted()), result.Text(), false,
                   tr("文件 %1 已重采样为C型, 保存为 %2\r光通量: 之前 %3 lm, 之后 %4 lm"));
}

void FileActions::SaveAsLdtClick() {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return;
    const QString newName =
        besideName([](const std::string& n) { return LdtExportFileName("", n); });
    const LdtText result = BuildLdtText(viewer_->preview()->PreviewIes(), entry->Lines,
                                        platform::NativePath(newName).toStdString());
    writeConverted(tr("另存为LDT"), newName,
                   notWritten(true, result.Ok, tr("%1: 没有可用的光强表; 未写入任何文件")),
                   result.Text, true,
                   tr("文件 %1 已保存为 %2 (EULUMDAT)\r光通量: 之前 %3 lm, 之后 %4 lm"));
}

void FileActions::SaveAsIesClick() {
    const TiesData* entry = list_->entryAt(list_->currentRow());
    if (!entry) return;
    writeConverted(
        tr("另存为IES"),
        besideName([](const std::string& n) { return ExportFileName("", n, ExportKind::None); }),
        notWritten(true, true, {}), BuildIesText(viewer_->preview()->PreviewIes(), entry->Lines),
        false, tr("文件 %1 已保存为 %2 (IES)\r光通量: 之前 %3 lm, 之后 %4 lm"));
}

} // namespace gonilux::mainwindow
