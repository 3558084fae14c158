#include "file_entries.h"

#include "photometry/header_encoding.h"
#include "photometry/ldt_reader.h"
#include "photometry/text_encoding.h"
#include "platform/native_names.h"

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>
#include <cstddef>

namespace gonilux::browser {
namespace {

unsigned char FoldAscii(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - ('a' - 'A')) : u;
}

int CompareFolded(const QByteArray& a, const QByteArray& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(FoldAscii(a[i])) - int(FoldAscii(b[i]));
        if (d != 0) return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace

QStringList UpEntryItems() {
    return {QCoreApplication::translate("FileEntries", "直到"), QStringLiteral(".."),
            QCoreApplication::translate("FileEntries", ".. 仅")};
}

QString UpEntryCaption(int upItemIndex, const QString& nodeText) {
    if (upItemIndex == kUpEntryBareDots) return QStringLiteral("..");
    const QStringList items = UpEntryItems();
    const QString chosen =
        (upItemIndex >= 0 && upItemIndex < items.size()) ? items[upItemIndex] : QString();
    return chosen + QStringLiteral(" '") + nodeText + QLatin1Char('\'');
}

namespace {

std::string& EncodingChoice() {
    static std::string choice(kAutoEncoding);
    return choice;
}

} // namespace

void SetHeaderEncodingChoice(const std::string& choice) {
    EncodingChoice() = IsKnownHeaderEncoding(choice) ? choice : std::string(kAutoEncoding);
}

const std::string& HeaderEncodingChoice() {
    return EncodingChoice();
}

std::string ShownEncoding(const TiesData& entry) {
    const std::string& choice = EncodingChoice();
    if (choice != kAutoEncoding) return TitlesEncoding(entry.Lines, choice);
    return entry.HeaderEncoding.empty() ? TitlesEncoding(entry.Lines, kAutoEncoding)
                                        : entry.HeaderEncoding;
}

QString TitleText(const TiesData& entry, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= entry.Lines.size()) return {};
    const std::string& text = entry.Lines[static_cast<std::size_t>(index)];
    if (index == TitleFileName) return platform::DisplayPath(EntryPathName(entry));
    if (IsValidUtf8(text)) return QString::fromStdString(text);
    return QString::fromStdString(DecodeHeaderText(text, ShownEncoding(entry)));
}

QString EntryFileName(const TiesData& entry) {
    return TitleText(entry, TitleFileName);
}

QString EntryPathName(const TiesData& entry) {
    const auto index = static_cast<std::size_t>(TitleFileName);
    if (entry.Lines.size() <= index) return {};
    return platform::PathFromNative(QByteArray::fromStdString(entry.Lines[index]));
}

QString EntryCaption(const TiesData& entry, int captionChoice) {
    const QString chosen = TitleText(entry, captionChoice + 1);
    return chosen.isEmpty() ? EntryFileName(entry) : chosen;
}

TiesData NewFileEntry(const QString& fileName) {
    return CreateIesData(platform::NativePath(fileName).toStdString());
}

int CompareText(const QString& a, const QString& b) {
    return CompareFolded(a.toUtf8(), b.toUtf8());
}

std::vector<int> SortedRowOrder(const QStringList& captions, int folderCount,
                                const std::function<void(int)>& progress) {
    const int count = static_cast<int>(captions.size());
    folderCount = std::clamp(folderCount, 0, count);
    std::vector<QByteArray> keys;
    keys.reserve(static_cast<std::size_t>(count));
    for (const QString& caption : captions)
        keys.push_back(caption.toUtf8());

    std::vector<int> order(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        order[static_cast<std::size_t>(row)] = row;
    std::stable_sort(order.begin() + folderCount, order.end(), [&](int x, int y) {
        if (progress) progress(std::max(x, y));
        return CompareFolded(keys[static_cast<std::size_t>(x)], keys[static_cast<std::size_t>(y)]) <
               0;
    });
    return order;
}

bool CaptionChangeReadsFiles(int itemCount, int folderCount, int captionChoice,
                             const std::function<int(int)>& titleCount) {
    const int last = itemCount - 1;
    if (last <= folderCount || captionChoice < 1) return false;
    const int samples[] = {folderCount, last, std::max(last - folderCount, folderCount)};
    return std::any_of(std::begin(samples), std::end(samples),
                       [&](int row) { return titleCount(row) < 3; });
}

bool IsListedFileName(const QString& fileName, bool withLdt) {
    if (fileName.endsWith(QLatin1String(".ies"), Qt::CaseInsensitive)) return true;
    return withLdt && IsLdtFileName(platform::NativePath(fileName).toStdString());
}

QStringList ScanIesFiles(const QString& folderPath, bool withLdt) {
    QStringList names;
    if (folderPath.isEmpty()) return names;
    // Listed by the system's bytes: Qt's own listing leaves out names that are not UTF-8.
    for (const QString& name :
         platform::FolderEntryNames(folderPath, platform::EntryKind::NonFolders))
        if (IsListedFileName(name, withLdt)) names.append(name);
    return names;
}

bool ShowsErrorBadge(const TiesData& entry) {
    return (entry.Loaded && entry.Diagnostics.Damaged()) || entry.Diagnostics.OpenFailed;
}

QString WithSeparator(const QString& folderPath) {
    if (folderPath.endsWith(QLatin1Char('/')) || folderPath.endsWith(QLatin1Char('\\')))
        return folderPath;
    return folderPath + QLatin1Char('/');
}

} // namespace gonilux::browser
