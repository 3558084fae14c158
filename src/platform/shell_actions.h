// What the viewer asks of the desktop for files and folders: open a file with its associated
// program or a plain-text editor, open a folder, show an item in the file manager, put text on
// the clipboard. Tests install a recorder so that nothing is launched.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace gonilux::platform {

class ShellActions {
  public:
    virtual ~ShellActions() = default;
    // Each returns false when the desktop refused or nothing could be launched.
    virtual bool openFile(const QString& path) = 0;
    virtual bool openInTextEditor(const QString& path) = 0;
    virtual bool openFolder(const QString& folder) = 0;
    // Shows `path` in the file manager: a folder is opened itself ("浏览"), a file is shown in
    // its folder, selected where the file manager offers that, else its folder opens.
    virtual bool showInFolder(const QString& path) = 0;
    virtual void copyText(const QString& text) = 0;

    // The application's actions (the desktop's unless replaced).
    static ShellActions* instance();
    // Replaces the actions; null restores the desktop's.
    static void setInstance(std::unique_ptr<ShellActions> actions);
};

// The desktop's own actions.
class DesktopShellActions : public ShellActions {
  public:
    bool openFile(const QString& path) override;
    bool openInTextEditor(const QString& path) override;
    bool openFolder(const QString& folder) override;
    bool showInFolder(const QString& path) override;
    void copyText(const QString& text) override;

    // Graphical text editors tried, in order, when the desktop names no default one.
    static QStringList fallbackEditors();
};

// Records every call (for tests); the calls succeed unless `Succeed` is false.
class RecordingShellActions : public ShellActions {
  public:
    bool openFile(const QString& path) override { return record(QStringLiteral("open"), path); }
    bool openInTextEditor(const QString& path) override {
        return record(QStringLiteral("text"), path);
    }
    bool openFolder(const QString& folder) override {
        return record(QStringLiteral("folder"), folder);
    }
    bool showInFolder(const QString& path) override { return record(QStringLiteral("show"), path); }
    void copyText(const QString& text) override { record(QStringLiteral("copy"), text); }

    QStringList Calls; // "verb path"
    bool Succeed = true;

  private:
    bool record(const QString& verb, const QString& argument) {
        Calls.append(verb + QLatin1Char(' ') + argument);
        return Succeed;
    }
};

} // namespace gonilux::platform
