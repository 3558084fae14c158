#include "language.h"

#include "main_window.h"
#include "options_panel.h"
#include "photometry/ini_document.h"
#include "platform/message_service.h"
#include "settings_path.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace gonilux::mainwindow {
namespace {

constexpr char kEnglishTranslation[] = ":/i18n/gonilux_en.qm";

// The labels BuildPreviewInfo and BuildInfoText write, exactly as the core writes them.
constexpr const char* kInfoLabels[] = {
    QT_TRANSLATE_NOOP("PreviewInfo", "文件名:   "),
    QT_TRANSLATE_NOOP("PreviewInfo", "测试: "),
    QT_TRANSLATE_NOOP("PreviewInfo", "生  产  商:   "),
    QT_TRANSLATE_NOOP("PreviewInfo", "灯   具   目   录: "),
    QT_TRANSLATE_NOOP("PreviewInfo", "灯     具: "),
    QT_TRANSLATE_NOOP("PreviewInfo", "灯 泡 目 录:  "),
    QT_TRANSLATE_NOOP("PreviewInfo", "灯泡: "),
};

struct InstalledTranslator {
    std::unique_ptr<QTranslator> Translator;   // ours: English
    std::unique_ptr<QTranslator> QtTranslator; // Qt's own: the file dialogs' texts in Chinese
    Language Chosen = Language::Chinese;
};

std::optional<Language>& ChosenOnCommandLine() {
    static std::optional<Language> chosen;
    return chosen;
}

InstalledTranslator& Installed() {
    static InstalledTranslator installed;
    return installed;
}

QString SettingsPathFor(const QString& settingsFile) {
    return settingsFile.isEmpty() ? DefaultSettingsPath() : settingsFile;
}

bool IsLineStart(const QString& text, qsizetype at) {
    return at == 0 || text[at - 1] == QLatin1Char('\r') || text[at - 1] == QLatin1Char('\n');
}

} // namespace

std::optional<Language> ParseLanguage(const QString& code) {
    const QString folded = code.trimmed().toLower();
    if (folded == QLatin1String("zh")) return Language::Chinese;
    if (folded == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

QString LanguageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

Language LanguageFromIni(const IniDocument& ini) {
    const std::optional<std::string> value = ini.Value(kLanguageSection, kLanguageKey);
    if (!value) return Language::Chinese;
    return ParseLanguage(QString::fromStdString(*value)).value_or(Language::Chinese);
}

void SetLanguageInIni(IniDocument& ini, Language language) {
    ini.SetValue(kLanguageSection, kLanguageKey, LanguageCode(language).toStdString());
}

Language ReadLanguageSetting(const QString& settingsFile) {
    IniDocument ini;
    std::string error;
    if (!LoadIniFile(SettingsPathFor(settingsFile).toStdString(), ini, error))
        return Language::Chinese;
    return LanguageFromIni(ini);
}

bool StoreLanguageSetting(const QString& settingsFile, Language language) {
    const std::string path = SettingsPathFor(settingsFile).toStdString();
    IniDocument ini;
    std::string error;
    if (!LoadIniFile(path, ini, error)) return false;
    SetLanguageInIni(ini, language);
    return SaveIniFile(path, ini, error);
}

QCommandLineOption LanguageOption() {
    return QCommandLineOption(QStringLiteral("lang"),
                              QStringLiteral("The interface language for this run: en or zh "
                                             "(default: the one chosen in the options panel)."),
                              QStringLiteral("LANG"));
}

std::optional<Language> StartLanguage(const QCommandLineParser& parser, const QString& settingsFile,
                                      QString& error) {
    const QString name = LanguageOption().names().constFirst();
    ChosenOnCommandLine().reset();
    if (!parser.isSet(name)) return ReadLanguageSetting(settingsFile);
    const std::optional<Language> chosen = ParseLanguage(parser.value(name));
    if (!chosen)
        error = QStringLiteral("Unknown language '%1' (use en or zh).").arg(parser.value(name));
    ChosenOnCommandLine() = chosen;
    return chosen;
}

std::optional<Language> CommandLineLanguage() {
    return ChosenOnCommandLine();
}

bool InstallLanguage(Language language) {
    InstalledTranslator& installed = Installed();
    for (std::unique_ptr<QTranslator>* translator :
         {&installed.Translator, &installed.QtTranslator}) {
        if (*translator) QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
    installed.Chosen = Language::Chinese;
    if (language == Language::Chinese) {
        // Qt's dialogs (file dialogs, button boxes) speak Chinese too when Qt's translations
        // are installed; without them they stay English and nothing else changes.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            installed.QtTranslator = std::move(qt);
        }
        return true;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromLatin1(kEnglishTranslation))) return false;
    QCoreApplication::installTranslator(translator.get());
    installed.Translator = std::move(translator);
    installed.Chosen = language;
    return true;
}

Language InstalledLanguage() {
    return Installed().Chosen;
}

void ConnectLanguageChoice(TMainWindow* window) {
    QObject::connect(window->options(), &OptionsPanel::languageChosen, window, [window](int index) {
        const Language chosen = index == 1 ? Language::English : Language::Chinese;
        StoreLanguageSetting(window->settingsPath(), chosen);
        platform::MessageService::instance()->show(
            QCoreApplication::translate("Language", "语言"),
            QCoreApplication::translate("Language", "界面语言将在下次启动时更改。"),
            platform::MessageService::Icon::Information);
    });
}

QString TranslateInfoLabels(const QString& infoText) {
    QString shown;
    shown.reserve(infoText.size());
    qsizetype at = 0;
    while (at < infoText.size()) {
        if (IsLineStart(infoText, at)) {
            for (const char* label : kInfoLabels) {
                const QString source = QString::fromUtf8(label);
                if (!QStringView(infoText).mid(at).startsWith(source)) continue;
                shown += QCoreApplication::translate("PreviewInfo", label);
                at += source.size();
                break;
            }
            if (at >= infoText.size()) break;
        }
        shown += infoText[at++];
    }
    return shown;
}

} // namespace gonilux::mainwindow
