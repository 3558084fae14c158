// Every text the windows show, in both languages: in English no Chinese is left (a text added
// without its translation shows it), in Chinese no English but names, units and formats; every
// message of the translation file is finished. At the default sizes no header, combo box or
// group caption is cut.
#include "auxwindows/compare_window.h"
#include "auxwindows/render_window.h"
#include "auxwindows/report_window.h"
#include "mainwindow/language.h"
#include "viewer_fixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QXmlStreamReader>

namespace gonilux::mainwindow::testing {
namespace {

bool HasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF; });
}

// English words a Chinese interface keeps: names, versions, units, formats, encodings, keys,
// planes, axes and ratings.
const QStringList kKeptWords = {
    "Gonilux", "Kestrin", "v2",   "IES",     "EULUMDAT",  "ldt",   "LDT",     "English", "Windows",
    "Me",      "XP",      "cd",   "klm",     "lm",        "lx",    "CSV",     "PNG",     "SVG",
    "PDF",     "CIE",     "UTF",  "GB18030", "Shift_JIS", "Big5",  "windows", "EUC",     "KR",
    "JP",      "ISO",     "KOI8", "Ctrl",    "Alt",       "Shift", "Del",     "Esc",     "Enter",
    "Tab",     "C0",      "C45",  "C90",     "C180",      "C270",  "XY",      "UGR"};

// The texts of a window and everything in it, each named by its widget.
QStringList TextsOf(QWidget* window) {
    QStringList texts;
    const auto add = [&](const QObject* where, const QString& text) {
        if (!text.trimmed().isEmpty()) texts << where->objectName() + ": " + text;
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (w->isWindow()) add(w, w->windowTitle());
        add(w, w->toolTip());
        for (const QAction* action : w->actions())
            add(w, action->text());
        if (auto* label = qobject_cast<QLabel*>(w)) add(w, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(w, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) add(w, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) add(w, edit->placeholderText());
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(w, combo->itemText(i));
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(w, tabs->tabText(i));
        if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                add(w, header->model()->headerData(i, header->orientation()).toString());
    }
    return texts;
}

// The texts of the interface in `language` that are not in it.
QStringList Untranslated(const QStringList& texts, Language language) {
    static const QRegularExpression word("[A-Za-z][A-Za-z_0-9]+");
    QStringList wrong;
    for (const QString& named : texts) {
        const QString text = named.section(": ", 1);
        if (language == Language::English) {
            if (HasChinese(text) && text != "中文") wrong << named;
            continue;
        }
        // paths, file names and the file's titles (the caption menu) are the user's
        if (HasChinese(text) || text.contains('/') || named.startsWith("Arrangeby1:")) continue;
        static const QRegularExpression fileName(R"(\S+\.(ies|ldt)\b)");
        for (auto match = word.globalMatch(QString(text).remove(fileName)); match.hasNext();)
            if (!kKeptWords.contains(match.next().captured())) {
                wrong << named;
                break;
            }
    }
    return wrong;
}

// The combo boxes, table headers and group captions whose text does not fit.
QStringList CutTexts(QWidget* window) {
    QStringList cut;
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        if (!combo->isVisibleTo(window)) continue;
        QComboBox probe; // the width the longest item needs
        probe.setFont(combo->font());
        for (int i = 0; i < combo->count(); ++i)
            probe.addItem(combo->itemIcon(i), combo->itemText(i));
        probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        if (combo->width() < probe.sizeHint().width())
            cut << QString("%1 %2 < %3")
                       .arg(combo->objectName())
                       .arg(combo->width())
                       .arg(probe.sizeHint().width());
    }
    for (QHeaderView* header : window->findChildren<QHeaderView*>()) {
        if (!header->isVisibleTo(window) || header->orientation() != Qt::Horizontal) continue;
        for (int i = 0; i < header->count(); ++i) {
            const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
            if (!header->isSectionHidden(i) &&
                header->sectionSize(i) < header->fontMetrics().horizontalAdvance(text) + 8)
                cut << header->parentWidget()->objectName() + " " + text;
        }
    }
    for (QGroupBox* group : window->findChildren<QGroupBox*>())
        if (group->isVisibleTo(window) &&
            group->width() < group->fontMetrics().horizontalAdvance("- " + group->title()) + 4)
            cut << group->objectName() + " " + group->title();
    return cut;
}

class InterfaceTextTest : public ViewerTest {
  protected:
    void TearDown() override {
        ViewerTest::TearDown();
        InstallLanguage(Language::Chinese);
    }
};

TEST_F(InterfaceTextTest, EveryTextIsInTheInterfacesLanguageAndFits) {
    write("lib/c0.ies", TypeCText(0));
    size_ = {}; // the size a first start gives
    for (Language language : {Language::English, Language::Chinese}) {
        SCOPED_TRACE(LanguageCode(language).toStdString());
        ASSERT_TRUE(InstallLanguage(language));
        open();
        window_->openStartPath(path("lib/c0.ies"));
        window_->showReportWindow();
        auxwindows::ReportWindow* report = window_->reportWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
        window_->fileActions()->PopupMenuPopup();
        window_->fileActions()->PopupMenu()->close();
        // the tool windows (report, render, compare, map) are the main window's children
        EXPECT_EQ(Untranslated(TextsOf(window_.get()), language).join('\n').toStdString(), "");
        QStringList cut = CutTexts(window_.get());
        ctl<QRadioButton>("RadioButtonDetails")->click(); // the details view's header
        cut += CutTexts(window_.get());
        for (int page = 0; page < report->pages()->count(); ++page) {
            report->pages()->setCurrentIndex(page);
            cut += CutTexts(report);
        }
        EXPECT_EQ(cut.join('\n').toStdString(), "");
    }
}

// Every message of the English translation is finished and not empty.
TEST(TranslationFileTest, EveryMessageIsTranslated) {
    QFile file(GONILUX_TS_FILE);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList unfinished;
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (xml.name() != QLatin1String("translation")) continue;
        ++messages;
        const bool finished = xml.attributes().value("type").isEmpty();
        if (xml.readElementText(QXmlStreamReader::IncludeChildElements).isEmpty() || !finished)
            unfinished << source;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 300);
    EXPECT_EQ(unfinished.join('\n').toStdString(), "");
}

} // namespace
} // namespace gonilux::mainwindow::testing
