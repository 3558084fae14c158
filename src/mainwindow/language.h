// The interface language: the choice kept in the settings file, the translator installed before
// the main window builds its widgets, and the Chinese labels that the photometric core puts into
// the preview's info text, shown in the interface language.
#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>

class QCommandLineParser;

namespace gonilux {
class IniDocument;
}

namespace gonilux::mainwindow {

class TMainWindow;

// In the order of the items of ComboBoxLanguage.
enum class Language { Chinese, English };

// Where the choice is stored: the section of the other-options group, under its own key, as
// "zh" or "en".
inline constexpr char kLanguageSection[] = "GroupBoxExOther";
inline constexpr char kLanguageKey[] = "Language";

// "zh" and "en" in any case; nullopt for anything else.
std::optional<Language> ParseLanguage(const QString& code);
QString LanguageCode(Language language);

// The stored choice; Chinese when the key is missing or holds an unknown value.
Language LanguageFromIni(const IniDocument& ini);
void SetLanguageInIni(IniDocument& ini, Language language);
// Reads just the language from the settings file the main window will use (an empty name means
// the default place, as for the window).
Language ReadLanguageSetting(const QString& settingsFile);
// Writes the choice into the settings file, keeping everything else in it. False when the file
// cannot be read or written.
bool StoreLanguageSetting(const QString& settingsFile, Language language);

// The viewer's "--lang en|zh" option, and the language of a run: the option when it is given
// (nullopt and a message in `error` when its value is neither), else the stored choice.
QCommandLineOption LanguageOption();
std::optional<Language> StartLanguage(const QCommandLineParser& parser, const QString& settingsFile,
                                      QString& error);
// The language "--lang" chose for this run (nullopt without the option), as StartLanguage last
// read it; the options panel shows it while the stored choice stays.
std::optional<Language> CommandLineLanguage();

// Installs the translator of `language` into the application, replacing the one installed before
// (Chinese, the language of the source texts, needs none of ours, only Qt's own for its dialogs,
// when the system has it). The English translation is a resource linked into the viewer; false
// when it is not there.
bool InstallLanguage(Language language);
Language InstalledLanguage();

// A choice made in the options panel is stored at once and takes effect at the next start; the
// user is told so.
void ConnectLanguageChoice(TMainWindow* window);

// The preview's info text (BuildPreviewInfo) with its line labels in the interface language.
QString TranslateInfoLabels(const QString& infoText);

} // namespace gonilux::mainwindow
