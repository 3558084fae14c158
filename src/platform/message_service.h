// Modal message boxes owned by the main window. Boxes asked for while a widget paints, or while
// another box is open, wait their turn and are shown once control is back in the event loop.
// Tests install a recorder so nothing blocks.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace gonilux::platform {

class MessageService : public QObject {
    Q_OBJECT
  public:
    enum class Icon { None, Information, Warning, Error, Question };
    struct Message {
        QString Title;
        QString Text;
        Icon Kind = Icon::None;
    };
    using Recorder = std::function<void(const Message&)>;

    explicit MessageService(QWidget* owner = nullptr, QObject* parent = nullptr);

    // Shows the box now when that is safe, otherwise queues it.
    void show(const QString& title, const QString& text, Icon icon);
    // A Yes/No question; answered at once (never queued). Recorded questions answer `answer`.
    bool ask(const QString& title, const QString& text);

    // While a PaintScope lives, boxes are queued.
    class PaintScope {
      public:
        explicit PaintScope(MessageService* service);
        ~PaintScope();
        PaintScope(const PaintScope&) = delete;
        PaintScope& operator=(const PaintScope&) = delete;

      private:
        MessageService* service_;
    };

    void setOwner(QWidget* owner) { owner_ = owner; }
    void setRecorder(Recorder recorder, bool answer = true);
    int pendingCount() const { return static_cast<int>(queue_.size()); }

    // The application's service (created on first use; owned by the application object).
    static MessageService* instance();

  signals:
    void shown(const gonilux::platform::MessageService::Message& message);

  private:
    void flush();
    void present(const Message& message);
    void scheduleFlush();

    QPointer<QWidget> owner_;
    QList<Message> queue_;
    Recorder recorder_;
    bool recordedAnswer_ = true;
    int paintDepth_ = 0;
    bool showing_ = false;
    bool flushScheduled_ = false;
};

} // namespace gonilux::platform
