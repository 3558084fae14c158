// The file list's filter field: Ctrl+F shows and focuses it, typing filters the list, Escape
// clears it. It stays visible while it holds a text or has the focus.
#include "browser/folder_list_view.h"
#include "main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace gonilux::mainwindow {
namespace {

// Keys of the filter field: Escape clears it and returns to the list; Down, Return and Enter go
// to the list with the filter kept.
class FilterFieldKeys final : public QObject {
  public:
    FilterFieldKeys(QLineEdit* field, browser::FolderListView* list)
        : QObject(field), field_(field), list_(list) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != field_ || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            field_->clear();
            list_->setFocus(Qt::OtherFocusReason);
            field_->hide();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            list_->setFocus(Qt::TabFocusReason);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QLineEdit* field_;
    browser::FolderListView* list_;
};

} // namespace

void TMainWindow::wireFilter() {
    filterEdit_->setObjectName(QStringLiteral("EditFilter"));
    filterEdit_->setPlaceholderText(tr("筛选"));
    filterEdit_->setClearButtonEnabled(true);
    filterEdit_->hide();
    filterEdit_->installEventFilter(new FilterFieldKeys(filterEdit_, list_));
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        filterEdit_->show();
        filterEdit_->setFocus(Qt::ShortcutFocusReason);
        filterEdit_->selectAll();
    });
    connect(filterEdit_, &QLineEdit::textChanged, list_, &browser::FolderListView::setFilterText);
    connect(list_, &browser::FolderListView::filterCleared, filterEdit_, [this] {
        const QSignalBlocker block(filterEdit_);
        filterEdit_->clear();
        if (!filterEdit_->hasFocus()) filterEdit_->hide();
    });
    // An empty field hides when the focus moves to another widget of this window.
    connect(qApp, &QApplication::focusChanged, filterEdit_, [this](QWidget*, QWidget* now) {
        if (now && now != filterEdit_ && now->window() == this && filterEdit_->text().isEmpty())
            filterEdit_->hide();
    });
}

} // namespace gonilux::mainwindow
