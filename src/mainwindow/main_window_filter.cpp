// The file list's filter field: Ctrl+F shows and focuses it, typing filters the list, Escape
// clears it. It stays visible while it holds a text or has the focus. A text that is not a valid
// query frames the field in red and says what is wrong under it; the list then shows everything.
#include "browser/entry_filter.h"
#include "browser/folder_list_view.h"
#include "main_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
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

// The line under the field that tells what is wrong with the query; hidden while it is valid.
QLabel* AddErrorLine(QLineEdit* field) {
    auto* line = new QLabel(field->parentWidget());
    line->setObjectName(QStringLiteral("LabelFilterError"));
    line->setWordWrap(true);
    line->setContentsMargins(4, 1, 4, 2);
    line->setStyleSheet(QStringLiteral("color: #c00000;"));
    line->hide();
    for (auto* column : field->parentWidget()->findChildren<QBoxLayout*>())
        if (const int at = column->indexOf(field); at >= 0) column->insertWidget(at + 1, line);
    return line;
}

void ShowQueryError(QLineEdit* field, QLabel* line, const QString& text) {
    browser::EntryFilter query;
    const QString error = query.SetText(text) ? QString() : query.Error();
    field->setStyleSheet(
        error.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 1px solid #c00000; }"));
    field->setToolTip(error);
    line->setText(error.isEmpty() ? QString() : TMainWindow::tr("筛选条件有误：%1").arg(error));
    line->setVisible(!error.isEmpty());
}

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
    QLabel* errorLine = AddErrorLine(filterEdit_);
    // The message shows before the list starts reading for the new text.
    connect(
        filterEdit_, &QLineEdit::textChanged, errorLine,
        [this, errorLine](const QString& text) { ShowQueryError(filterEdit_, errorLine, text); });
    connect(filterEdit_, &QLineEdit::textChanged, this, &TMainWindow::onFilterTextChanged);
    connect(list_, &browser::FolderListView::filterCleared, filterEdit_, [this, errorLine] {
        const QSignalBlocker block(filterEdit_);
        filterEdit_->clear();
        ShowQueryError(filterEdit_, errorLine, QString());
        if (!filterEdit_->hasFocus()) filterEdit_->hide();
    });
    wireSubtreeSearch();
    // An empty field hides when the focus moves to another widget of this window.
    connect(qApp, &QApplication::focusChanged, filterEdit_, [this](QWidget*, QWidget* now) {
        if (now && now != filterEdit_ && now->window() == this && filterEdit_->text().isEmpty())
            filterEdit_->hide();
    });
}

} // namespace gonilux::mainwindow
