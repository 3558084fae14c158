#include "message_service.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

namespace gonilux::platform {

MessageService::MessageService(QWidget* owner, QObject* parent) : QObject(parent), owner_(owner) {}

MessageService* MessageService::instance() {
    static QPointer<MessageService> service;
    if (!service) service = new MessageService(nullptr, QCoreApplication::instance());
    return service;
}

void MessageService::setRecorder(Recorder recorder, bool answer) {
    recorder_ = std::move(recorder);
    recordedAnswer_ = answer;
}

void MessageService::show(const QString& title, const QString& text, Icon icon) {
    queue_.append(Message{title, text, icon});
    if (paintDepth_ > 0 || showing_) {
        scheduleFlush();
        return;
    }
    flush();
}

bool MessageService::ask(const QString& title, const QString& text) {
    const Message message{title, text, Icon::Question};
    if (recorder_) {
        recorder_(message);
        emit shown(message);
        return recordedAnswer_;
    }
    showing_ = true;
    auto answer = QMessageBox::question(owner_, title, text, QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::No);
    showing_ = false;
    emit shown(message);
    if (!queue_.isEmpty()) scheduleFlush();
    return answer == QMessageBox::Yes;
}

void MessageService::scheduleFlush() {
    if (flushScheduled_) return;
    flushScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        flushScheduled_ = false;
        if (paintDepth_ > 0 || showing_) {
            scheduleFlush();
            return;
        }
        flush();
    });
}

void MessageService::flush() {
    while (!queue_.isEmpty() && !showing_ && paintDepth_ == 0) {
        Message message = queue_.takeFirst();
        present(message);
    }
}

void MessageService::present(const Message& message) {
    showing_ = true;
    if (recorder_) {
        recorder_(message);
    } else {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (message.Kind) {
        case Icon::Information:
            icon = QMessageBox::Information;
            break;
        case Icon::Warning:
            icon = QMessageBox::Warning;
            break;
        case Icon::Error:
            icon = QMessageBox::Critical;
            break;
        case Icon::Question:
            icon = QMessageBox::Question;
            break;
        case Icon::None:
            break;
        }
        QString text = message.Text;
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox box(icon, message.Title, text, QMessageBox::Ok, owner_);
        box.exec();
    }
    showing_ = false;
    emit shown(message);
}

MessageService::PaintScope::PaintScope(MessageService* service) : service_(service) {
    if (service_) ++service_->paintDepth_;
}

MessageService::PaintScope::~PaintScope() {
    if (service_ && --service_->paintDepth_ == 0 && !service_->queue_.isEmpty())
        service_->scheduleFlush();
}

} // namespace gonilux::platform
