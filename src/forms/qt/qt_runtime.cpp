#include "forms/qt/qt_runtime.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace quarn::forms::qt {
namespace {

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
std::string s(const QString& text) {
  return text.toStdString();
}

// A caption with "&" for a widget that shows no accelerator: "&&" is one "&", a single "&"
// is dropped.
QString plain_caption(std::string_view caption) {
  QString out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += QChar::fromLatin1(caption[i]);
  }
  return out;
}

bool takes_focus(ControlKind kind) {
  switch (kind) {
    case ControlKind::kText:
    case ControlKind::kTextBlock:
    case ControlKind::kButton:
    case ControlKind::kCheck:
    case ControlKind::kCombo:
    case ControlKind::kList:
    case ControlKind::kTabs:
      return true;
    default:
      return false;
  }
}

// The picture the next form shown is to be written to (QUARN_FORMS_SCREENSHOT), once.
std::string take_screenshot_request() {
  static bool taken = false;
  const char* path = std::getenv("QUARN_FORMS_SCREENSHOT");
  if (taken || path == nullptr || *path == '\0') return {};
  taken = true;
  return path;
}

void write_screenshot(QWidget& window, const std::string& path) {
  if (!window.grab().save(q(path), "PNG"))
    std::fprintf(stderr, "QUARN-M: the picture %s cannot be written\n", path.c_str());
}

// The area the controls sit in: it asks for the form's design size.
class Canvas final : public QWidget {
 public:
  Canvas(QSize design, QWidget* parent) : QWidget(parent), design_(design) {}
  QSize sizeHint() const override { return design_; }

 private:
  QSize design_;
};

}  // namespace

// ---- a form ----

class QtForm final : public Form {
 public:
  // `shown` is told when the form is first painted; true closes it.
  QtForm(const FormDef& definition, FormEvents& events, const OpenOptions& options,
         std::function<bool()> shown);
  ~QtForm() override;

  std::string_view name() const override { return definition_.name; }
  std::optional<Value> property(std::string_view name) const override;
  bool set_property(std::string_view name, const Value& value) override;
  void end() override;
  bool ended() const override { return ended_; }
  std::optional<Value> control_property(std::string_view control,
                                        std::string_view name) const override;
  bool set_control_property(std::string_view control, std::string_view name,
                            const Value& value) override;
  bool add_item(std::string_view control, std::string_view text) override;
  bool clear_items(std::string_view control) override;
  std::string item(std::string_view control, std::int64_t index) const override;
  bool set_focus(std::string_view control) override;
  std::string focus() const override;
  std::optional<std::string> capture(std::string_view base) override;

  // Shows the form modally and returns when it has ended.
  void run();
  QDialog* dialog() const { return dialog_; }

  // The window asks to close (close box, Escape).
  void close_asked();
  // The controls' area changed its size: the resize event, once the form runs.
  void resized();

 private:
  struct Item {
    ControlKind kind = ControlKind::kLabel;
    Rect design;
    QWidget* widget = nullptr;
    QAction* action = nullptr;
    QMenu* menu = nullptr;
    QTimer* timer = nullptr;
    std::string picture;
    QPixmap pixmap;  // the picture as read when it was set
  };
  class Dialog;

  void build();
  void build_control(const ControlDef& def);
  void build_menu(const ControlDef& def);
  void layout();
  Item* find(std::string_view control);
  const Item* find(std::string_view control) const;
  // Runs an event procedure unless the form is filling its own controls.
  template <typename Event>
  void user_event(Event&& event) {
    if (updating_ == 0 && !ended_) event();
  }

  const FormDef& definition_;
  FormEvents& events_;
  OpenOptions options_;
  std::function<bool()> shown_;
  bool painted_ = false;
  QDialog* dialog_ = nullptr;
  QWidget* canvas_ = nullptr;
  QMenuBar* menu_bar_ = nullptr;
  std::map<std::string, Item, std::less<>> items_;
  int updating_ = 0;
  bool ended_ = false;
  bool running_ = false;
  bool resizing_ = false;  // in the resize event procedure
};

// The window of a form: the close box and Escape go to the form.
class QtForm::Dialog final : public QDialog {
 public:
  Dialog(QtForm& form, QWidget* parent) : QDialog(parent), form_(form) {}
  void reject() override { form_.close_asked(); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QDialog::paintEvent(event);
    if (form_.painted_) return;
    form_.painted_ = true;
    QTimer::singleShot(0, this, [this] {
      if (form_.shown_ && form_.shown_()) form_.close_asked();
    });
  }
  void closeEvent(QCloseEvent* event) override {
    if (form_.ended()) {
      event->accept();
      return;
    }
    event->ignore();
    form_.close_asked();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == form_.canvas_ && event->type() == QEvent::Resize) {
      form_.layout();
      form_.resized();
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  QtForm& form_;
};

QtForm::QtForm(const FormDef& definition, FormEvents& events, const OpenOptions& options,
               std::function<bool()> shown)
    : definition_(definition), events_(events), options_(options), shown_(std::move(shown)) {
  auto* owner = static_cast<QWidget*>(options.owner);
  if (owner == nullptr) owner = QApplication::activeWindow();
  dialog_ = new Dialog(*this, owner);
  dialog_->setObjectName(q(definition.name));
  dialog_->setWindowModality(options.modal_style == 1 && owner != nullptr ? Qt::WindowModal
                                                                          : Qt::ApplicationModal);
  build();
}

QtForm::~QtForm() {
  delete dialog_;
}

void QtForm::build() {
  ++updating_;
  dialog_->setWindowTitle(q(definition_.caption));
  auto* box = new QVBoxLayout(dialog_);
  box->setContentsMargins(0, 0, 0, 0);
  menu_bar_ = new QMenuBar(dialog_);
  canvas_ = new Canvas(QSize(definition_.width, definition_.height), dialog_);
  canvas_->setMinimumSize(definition_.width * 3 / 4, definition_.height * 3 / 4);
  box->addWidget(canvas_);
  bool has_menu = false;
  for (const ControlDef& def : definition_.controls) {
    if (def.kind == ControlKind::kMenu || def.kind == ControlKind::kMenuItem ||
        def.kind == ControlKind::kSeparator) {
      build_menu(def);
      has_menu = true;
    } else {
      build_control(def);
    }
  }
  if (has_menu)
    box->setMenuBar(menu_bar_);
  else
    menu_bar_->hide();

  // Labels with an accelerator take the focus to the next control that takes it; the tab
  // order is the definition's.
  QWidget* previous = nullptr;
  QLabel* waiting_label = nullptr;
  for (const ControlDef& def : definition_.controls) {
    Item& item = items_.at(std::string(def.name));
    if (def.kind == ControlKind::kLabel && accelerator(def.caption) != 0)
      waiting_label = static_cast<QLabel*>(item.widget);
    if (!takes_focus(def.kind) || item.widget == nullptr) continue;
    if (waiting_label != nullptr) waiting_label->setBuddy(item.widget);
    waiting_label = nullptr;
    if (previous != nullptr) QWidget::setTabOrder(previous, item.widget);
    previous = item.widget;
  }
  if (const Item* ok = find(definition_.default_button); ok != nullptr && ok->widget != nullptr) {
    static_cast<QPushButton*>(ok->widget)->setDefault(true);
  }
  canvas_->installEventFilter(dialog_);
  dialog_->resize(definition_.width,
                  definition_.height + (has_menu ? menu_bar_->sizeHint().height() : 0));
  if (options_.place.width > 0) {
    dialog_->setGeometry(options_.place.left, options_.place.top, options_.place.width,
                         options_.place.height);
  }
  --updating_;
}

void QtForm::build_control(const ControlDef& def) {
  Item item;
  item.kind = def.kind;
  item.design = def.place;
  // The widget the control sits in: a tab page, a group, or the form.
  QWidget* parent = canvas_;
  if (const Item* holder = find(def.parent); holder != nullptr && holder->widget != nullptr)
    parent = holder->widget;
  const std::string name(def.name);
  switch (def.kind) {
    case ControlKind::kLabel: {
      auto* label = new QLabel(parent);
      const bool mnemonic = accelerator(def.caption) != 0;
      label->setText(mnemonic ? q(def.caption) : plain_caption(def.caption));
      label->setWordWrap(def.place.height > 30);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      item.widget = label;
      break;
    }
    case ControlKind::kText: {
      auto* edit = new QLineEdit(q(def.caption), parent);
      if (def.max_length > 0) edit->setMaxLength(def.max_length);
      QObject::connect(edit, &QLineEdit::textEdited,
                       [this, name] { user_event([&] { events_.change(*this, name); }); });
      item.widget = edit;
      break;
    }
    case ControlKind::kTextBlock: {
      auto* edit = new QPlainTextEdit(q(def.caption), parent);
      edit->setTabChangesFocus(true);
      edit->setLineWrapMode(QPlainTextEdit::NoWrap);
      QObject::connect(edit, &QPlainTextEdit::textChanged,
                       [this, name] { user_event([&] { events_.change(*this, name); }); });
      item.widget = edit;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(q(def.caption), parent);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked,
                       [this, name] { user_event([&] { events_.click(*this, name); }); });
      item.widget = button;
      break;
    }
    case ControlKind::kCheck: {
      auto* check = new QCheckBox(q(def.caption), parent);
      QObject::connect(check, &QCheckBox::clicked,
                       [this, name] { user_event([&] { events_.change(*this, name); }); });
      item.widget = check;
      break;
    }
    case ControlKind::kCombo: {
      auto* combo = new QComboBox(parent);
      combo->setMaxVisibleItems(20);
      QObject::connect(combo, &QComboBox::currentIndexChanged,
                       [this, name] { user_event([&] { events_.change(*this, name); }); });
      item.widget = combo;
      break;
    }
    case ControlKind::kList: {
      auto* list = new QListWidget(parent);
      QObject::connect(list, &QListWidget::currentRowChanged,
                       [this, name] { user_event([&] { events_.change(*this, name); }); });
      // A double click chooses, as the form's default button does.
      QObject::connect(list, &QListWidget::itemDoubleClicked, [this] {
        if (!definition_.default_button.empty())
          user_event([&] { events_.click(*this, definition_.default_button); });
      });
      item.widget = list;
      break;
    }
    case ControlKind::kTabs:
      item.widget = new QTabWidget(parent);
      break;
    case ControlKind::kTabPage: {
      auto* page = new QWidget;
      if (auto* tabs = qobject_cast<QTabWidget*>(parent)) tabs->addTab(page, q(def.caption));
      item.widget = page;
      break;
    }
    case ControlKind::kGroup:
      item.widget = new QGroupBox(q(def.caption), parent);
      break;
    case ControlKind::kPicture: {
      auto* picture = new QLabel(parent);
      picture->setAlignment(Qt::AlignCenter);
      item.widget = picture;
      break;
    }
    case ControlKind::kProgress: {
      auto* bar = new QProgressBar(parent);
      bar->setRange(0, 100);
      item.widget = bar;
      break;
    }
    case ControlKind::kTimer: {
      item.timer = new QTimer(dialog_);
      QObject::connect(item.timer, &QTimer::timeout,
                       [this, name] { user_event([&] { events_.timer(*this, name); }); });
      break;
    }
    default:
      break;
  }
  if (item.widget != nullptr) {
    item.widget->setObjectName(q(def.name));
    if (!def.tip.empty()) item.widget->setToolTip(q(def.tip));
  }
  items_.emplace(name, item);
}

void QtForm::build_menu(const ControlDef& def) {
  Item item;
  item.kind = def.kind;
  item.design = def.place;
  const std::string name(def.name);
  Item* parent = find(def.parent);
  if (def.kind == ControlKind::kSeparator) {
    if (parent != nullptr && parent->menu != nullptr) item.action = parent->menu->addSeparator();
    items_.emplace(name, item);
    return;
  }
  const bool has_items = std::any_of(definition_.controls.begin(), definition_.controls.end(),
                                     [&](const ControlDef& c) { return c.parent == def.name; });
  if (def.kind == ControlKind::kMenu && has_items) {
    item.menu = parent != nullptr && parent->menu != nullptr ? parent->menu->addMenu(q(def.caption))
                                                             : menu_bar_->addMenu(q(def.caption));
    item.menu->setObjectName(q(def.name));
    item.action = item.menu->menuAction();
  } else {
    item.action = parent != nullptr && parent->menu != nullptr
                      ? parent->menu->addAction(q(def.caption))
                      : menu_bar_->addAction(q(def.caption));
    item.action->setCheckable(def.checkable);
    QObject::connect(item.action, &QAction::triggered,
                     [this, name] { user_event([&] { events_.click(*this, name); }); });
  }
  item.action->setObjectName(q(def.name));
  if (!def.tip.empty()) item.action->setToolTip(q(def.tip));
  items_.emplace(name, item);
}

// Places the controls for the canvas's size: the design places scaled by the form's size.
void QtForm::layout() {
  const double sx =
      definition_.fixed_layout ? 1.0 : static_cast<double>(canvas_->width()) / definition_.width;
  const double sy =
      definition_.fixed_layout ? 1.0 : static_cast<double>(canvas_->height()) / definition_.height;
  for (const ControlDef& def : definition_.controls) {
    const Item& item = items_.at(std::string(def.name));
    if (item.widget == nullptr || def.kind == ControlKind::kTabPage) continue;
    const Rect& r = item.design;
    item.widget->setGeometry(static_cast<int>(r.left * sx), static_cast<int>(r.top * sy),
                             static_cast<int>(r.width * sx), static_cast<int>(r.height * sy));
    if (def.kind == ControlKind::kPicture) {
      auto* label = static_cast<QLabel*>(item.widget);
      if (item.pixmap.isNull() || item.widget->width() <= 0 || item.widget->height() <= 0)
        label->clear();
      else
        label->setPixmap(
            item.pixmap.scaled(item.widget->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
  }
}

QtForm::Item* QtForm::find(std::string_view control) {
  const auto found = items_.find(control);
  return found == items_.end() ? nullptr : &found->second;
}
const QtForm::Item* QtForm::find(std::string_view control) const {
  const auto found = items_.find(control);
  return found == items_.end() ? nullptr : &found->second;
}

void QtForm::run() {
  events_.load(*this);
  if (ended_) return;
  if (const std::string picture = take_screenshot_request(); !picture.empty()) {
    QTimer::singleShot(50, dialog_, [this, picture] {
      write_screenshot(*dialog_, picture);
      close_asked();
      if (!ended_) end();
    });
  }
  running_ = true;
  layout();
  // The focus starts in the first control that takes typing or a choice.
  if (QApplication::focusWidget() == nullptr ||
      !dialog_->isAncestorOf(QApplication::focusWidget())) {
    for (const ControlDef& def : definition_.controls) {
      const Item& item = items_.at(std::string(def.name));
      if (def.kind != ControlKind::kTabs && takes_focus(def.kind) && item.widget != nullptr &&
          item.widget->isEnabled()) {
        item.widget->setFocus(Qt::OtherFocusReason);
        break;
      }
    }
  }
  dialog_->exec();
  running_ = false;
  ended_ = true;
}

void QtForm::resized() {
  if (!running_ || ended_ || resizing_) return;
  resizing_ = true;
  events_.resize(*this);
  resizing_ = false;
}

void QtForm::close_asked() {
  if (ended_) return;
  if (const Item* cancel = find(definition_.cancel_button);
      cancel != nullptr && cancel->widget != nullptr && cancel->widget->isEnabled()) {
    events_.click(*this, definition_.cancel_button);
    return;
  }
  events_.close_request(*this);
}

void QtForm::end() {
  ended_ = true;
  if (running_) dialog_->done(0);
}

std::optional<Value> QtForm::property(std::string_view name) const {
  const QRect frame = dialog_->frameGeometry();
  if (name == property::kCaption) return s(dialog_->windowTitle());
  if (name == property::kLeft) return std::int64_t{frame.x()};
  if (name == property::kTop) return std::int64_t{frame.y()};
  if (name == property::kWidth) return std::int64_t{dialog_->width()};
  if (name == property::kHeight) return std::int64_t{dialog_->height()};
  if (name == property::kExtentWidth) return std::int64_t{frame.width()};
  if (name == property::kExtentHeight) return std::int64_t{frame.height()};
  if (name == property::kClientWidth) return std::int64_t{canvas_->width()};
  if (name == property::kClientHeight) return std::int64_t{canvas_->height()};
  if (name == property::kEnabled) return std::int64_t{dialog_->isEnabled() ? 1 : 0};
  return std::nullopt;
}

bool QtForm::set_property(std::string_view name, const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (name != property::kCaption) return false;
    dialog_->setWindowTitle(q(*text));
    return true;
  }
  const int n = static_cast<int>(std::get<std::int64_t>(value));
  if (name == property::kLeft)
    dialog_->move(n, dialog_->frameGeometry().y());
  else if (name == property::kTop)
    dialog_->move(dialog_->frameGeometry().x(), n);
  else if (name == property::kWidth)
    dialog_->resize(n, dialog_->height());
  else if (name == property::kHeight)
    dialog_->resize(dialog_->width(), n);
  else if (name == property::kEnabled)
    dialog_->setEnabled(n != 0);
  else
    return false;
  return true;
}

std::optional<Value> QtForm::control_property(std::string_view control,
                                              std::string_view name) const {
  const Item* item = find(control);
  if (item == nullptr) return std::nullopt;
  QWidget* w = item->widget;
  const auto number = [](auto v) { return Value(static_cast<std::int64_t>(v)); };
  if (name == property::kLeft) return number(item->design.left);
  if (name == property::kTop) return number(item->design.top);
  if (name == property::kWidth) return number(item->design.width);
  if (name == property::kHeight) return number(item->design.height);
  if (name == property::kEnabled) {
    if (item->timer != nullptr) return number(item->timer->isActive() ? 1 : 0);
    if (item->action != nullptr) return number(item->action->isEnabled() ? 1 : 0);
    return w != nullptr ? std::optional<Value>(number(w->isEnabled() ? 1 : 0)) : std::nullopt;
  }
  if (name == property::kVisible) {
    if (item->action != nullptr) return number(item->action->isVisible() ? 1 : 0);
    return w != nullptr ? std::optional<Value>(number(w->isVisibleTo(dialog_) ? 1 : 0))
                        : std::nullopt;
  }
  if (name == property::kTip && w != nullptr) return s(w->toolTip());
  if (auto* edit = qobject_cast<QLineEdit*>(w); edit != nullptr && name == property::kText)
    return s(edit->text());
  if (auto* edit = qobject_cast<QPlainTextEdit*>(w); edit != nullptr && name == property::kText)
    return s(edit->toPlainText());
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (name == property::kListIndex) return number(combo->currentIndex());
    if (name == property::kListCount) return number(combo->count());
  }
  if (auto* list = qobject_cast<QListWidget*>(w)) {
    if (name == property::kListIndex) return number(list->currentRow());
    if (name == property::kListCount) return number(list->count());
  }
  if (auto* tabs = qobject_cast<QTabWidget*>(w); tabs != nullptr && name == property::kTab)
    return number(tabs->currentIndex());
  if (name == property::kCaption) {
    if (item->kind == ControlKind::kTabPage) {
      auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
      return tabs != nullptr ? s(tabs->tabText(tabs->indexOf(w))) : std::string();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) return s(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return s(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(w)) return s(group->title());
    if (item->action != nullptr) return s(item->action->text());
  }
  if (name == property::kChecked) {
    if (auto* check = qobject_cast<QCheckBox*>(w)) return number(check->isChecked() ? 1 : 0);
    if (item->action != nullptr) return number(item->action->isChecked() ? 1 : 0);
  }
  if (name == property::kInterval && item->timer != nullptr) return number(item->timer->interval());
  if (item->kind == ControlKind::kPicture) {
    if (name == property::kPicture) return item->picture;
    if (name == property::kPictureWidth) return number(item->pixmap.width());
    if (name == property::kPictureHeight) return number(item->pixmap.height());
  }
  if (auto* bar = qobject_cast<QProgressBar*>(w); bar != nullptr && name == property::kValue)
    return number(bar->value());
  if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && name == property::kAlignment) {
    const Qt::Alignment a = label->alignment();
    return number(a & Qt::AlignHCenter ? 2 : a & Qt::AlignRight ? 1 : 0);
  }
  return std::nullopt;
}

bool QtForm::set_control_property(std::string_view control, std::string_view name,
                                  const Value& value) {
  Item* item = find(control);
  if (item == nullptr) return false;
  const auto current = control_property(control, name);
  if (!current || current->index() != value.index() || name == property::kListCount ||
      name == property::kPictureWidth || name == property::kPictureHeight)
    return false;
  ++updating_;
  struct Done {
    int& n;
    ~Done() { --n; }
  } done{updating_};
  QWidget* w = item->widget;
  if (const auto* text = std::get_if<std::string>(&value)) {
    const QString t = q(*text);
    if (name == property::kTip && w != nullptr)
      w->setToolTip(t);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
      edit->setText(t);
    else if (auto* block = qobject_cast<QPlainTextEdit*>(w))
      block->setPlainText(t);
    else if (item->kind == ControlKind::kTabPage) {
      auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
      if (tabs != nullptr) tabs->setTabText(tabs->indexOf(w), t);
    } else if (auto* label = qobject_cast<QLabel*>(w);
               label != nullptr && name == property::kCaption)
      label->setText(accelerator(*text) != 0 && label->buddy() != nullptr ? t
                                                                          : plain_caption(*text));
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
      button->setText(t);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
      group->setTitle(t);
    else if (name == property::kPicture) {
      // Read now and kept, so that the file may go once it is shown; only a plain file,
      // as a pipe or a device could block the window.
      QPixmap pixmap;
      if (!text->empty() && (!QFileInfo(t).isFile() || !pixmap.load(t))) return false;
      item->picture = *text;
      item->pixmap = pixmap;
      layout();
    } else if (item->action != nullptr)
      item->action->setText(t);
    return true;
  }
  const std::int64_t n = std::get<std::int64_t>(value);
  if (name == property::kLeft || name == property::kTop || name == property::kWidth ||
      name == property::kHeight) {
    Rect& r = item->design;
    (name == property::kLeft    ? r.left
     : name == property::kTop   ? r.top
     : name == property::kWidth ? r.width
                                : r.height) = static_cast<std::int32_t>(n);
    layout();
  } else if (name == property::kEnabled) {
    if (item->timer != nullptr) {
      if (n != 0)
        item->timer->start();
      else
        item->timer->stop();
    } else if (item->action != nullptr)
      item->action->setEnabled(n != 0);
    else
      w->setEnabled(n != 0);
  } else if (name == property::kVisible) {
    if (item->action != nullptr)
      item->action->setVisible(n != 0);
    else
      w->setVisible(n != 0);
  } else if (name == property::kListIndex) {
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      if (n < -1 || n >= combo->count()) return false;
      combo->setCurrentIndex(static_cast<int>(n));
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
      if (n < -1 || n >= list->count()) return false;
      list->setCurrentRow(static_cast<int>(n));
    }
  } else if (name == property::kTab) {
    static_cast<QTabWidget*>(w)->setCurrentIndex(static_cast<int>(n));
  } else if (name == property::kChecked) {
    if (auto* check = qobject_cast<QCheckBox*>(w))
      check->setChecked(n != 0);
    else if (item->action != nullptr)
      item->action->setChecked(n != 0);
  } else if (name == property::kInterval) {
    item->timer->setInterval(static_cast<int>(n));
  } else if (name == property::kValue) {
    static_cast<QProgressBar*>(w)->setValue(static_cast<int>(n));
  } else if (name == property::kAlignment) {
    auto* label = static_cast<QLabel*>(w);
    label->setAlignment((n == 2   ? Qt::AlignHCenter
                         : n == 1 ? Qt::AlignRight
                                  : Qt::AlignLeft) |
                        Qt::AlignVCenter);
  }
  return true;
}

bool QtForm::add_item(std::string_view control, std::string_view text) {
  Item* item = find(control);
  if (item == nullptr) return false;
  ++updating_;
  bool added = true;
  if (auto* combo = qobject_cast<QComboBox*>(item->widget)) {
    combo->addItem(q(text));
  } else if (auto* list = qobject_cast<QListWidget*>(item->widget)) {
    list->addItem(q(text));
  } else {
    added = false;
  }
  --updating_;
  return added;
}

bool QtForm::clear_items(std::string_view control) {
  Item* item = find(control);
  if (item == nullptr) return false;
  ++updating_;
  bool cleared = true;
  if (auto* combo = qobject_cast<QComboBox*>(item->widget)) {
    combo->clear();
  } else if (auto* list = qobject_cast<QListWidget*>(item->widget)) {
    list->clear();
  } else {
    cleared = false;
  }
  --updating_;
  return cleared;
}

std::string QtForm::item(std::string_view control, std::int64_t index) const {
  const Item* item = find(control);
  if (item == nullptr || index < 0) return {};
  if (auto* combo = qobject_cast<QComboBox*>(item->widget);
      combo != nullptr && index < combo->count())
    return s(combo->itemText(static_cast<int>(index)));
  if (auto* list = qobject_cast<QListWidget*>(item->widget);
      list != nullptr && index < list->count())
    return s(list->item(static_cast<int>(index))->text());
  return {};
}

bool QtForm::set_focus(std::string_view control) {
  Item* item = find(control);
  if (item == nullptr || item->widget == nullptr) return false;
  // A control on a tab page that is not shown brings its page forward first.
  for (QWidget* w = item->widget; w != nullptr; w = w->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget()
                                                                 : nullptr)) {
      const int page = tabs->indexOf(w);
      if (page >= 0) tabs->setCurrentIndex(page);
    }
  }
  item->widget->setFocus(Qt::OtherFocusReason);
  return true;
}

std::string QtForm::focus() const {
  const QWidget* focused = QApplication::focusWidget();
  for (const auto& [name, item] : items_)
    if (item.widget != nullptr && item.widget == focused) return name;
  return {};
}

std::optional<std::string> QtForm::capture(std::string_view base) {
  const std::string path = std::string(base) + ".png";
  if (!dialog_->grab().save(q(path), "PNG")) return std::nullopt;
  return path;
}

// ---- the progress window of document output ----

class QtProgress final : public ProgressWindow {
 public:
  explicit QtProgress(QWidget* parent) : window_(parent) {
    window_.setWindowTitle("QUARN");
    window_.setObjectName(QString::fromLatin1(kProgressProgId.data(), kProgressProgId.size()));
    window_.setWindowModality(Qt::NonModal);
    auto* box = new QVBoxLayout(&window_);
    text_ = new QLabel(&window_);
    text_->setMinimumWidth(320);
    auto* bar = new QProgressBar(&window_);
    bar->setRange(0, 0);  // busy: the work's length is not known
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), &window_);
    box->addWidget(text_);
    box->addWidget(bar);
    box->addWidget(cancel, 0, Qt::AlignRight);
    QObject::connect(cancel, &QPushButton::clicked, [this] { cancelled_ = true; });
    QObject::connect(&window_, &QDialog::rejected, [this] { cancelled_ = true; });
  }
  void position(const Rect& over) override {
    window_.adjustSize();
    window_.move(over.left + (over.width - window_.width()) / 2,
                 over.top + (over.height - window_.height()) / 2);
  }
  void activate() override {
    window_.show();
    window_.raise();
    QApplication::processEvents();
  }
  void set_text(std::string_view text) override {
    text_->setText(q(text));
    QApplication::processEvents();
  }
  void thru_events() override { QApplication::processEvents(); }
  bool cancelled() override {
    QApplication::processEvents();
    return cancelled_;
  }
  void deactivate() override { window_.hide(); }

 private:
  QDialog window_;
  QLabel* text_ = nullptr;
  bool cancelled_ = false;
};

// ---- the runtime ----

QtRuntime::QtRuntime() = default;
QtRuntime::~QtRuntime() = default;

void QtRuntime::run_form(const FormDef& definition, FormEvents& events,
                         const OpenOptions& options) {
  const std::string_view name = definition.name;
  auto form =
      std::make_shared<QtForm>(definition, events, options, [this, name] { return shown(name); });
  forms_.push_back(form);
  form->run();
  std::erase(forms_, form);
}

QWidget* QtRuntime::dialog_parent() const {
  if (!forms_.empty()) return forms_.back()->dialog();
  return QApplication::activeWindow();
}

std::optional<std::string> QtRuntime::browse_folder(std::string_view title,
                                                    std::string_view start) {
  QFileDialog dialog(dialog_parent(), q(title), q(start));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (const std::string picture = take_screenshot_request(); !picture.empty()) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    QTimer::singleShot(50, &dialog, [&dialog, picture] {
      write_screenshot(dialog, picture);
      dialog.reject();
    });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  std::string folder = s(dialog.selectedFiles().front());
  if (!folder.ends_with('/')) folder += '/';
  return folder;
}

std::optional<std::string> QtRuntime::open_file(const OpenFileRequest& request) {
  QFileDialog dialog(dialog_parent(), q(request.title), q(request.initial_folder));
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const auto& [description, patterns] : request.filters) {
    QString list = q(patterns);
    list.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << q(description) + QStringLiteral(" (") + list + QLatin1Char(')');
  }
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index =
        std::clamp(request.filter_index, 1, static_cast<std::int32_t>(filters.size()));
    dialog.selectNameFilter(filters[index - 1]);
  }
  if (const std::string picture = take_screenshot_request(); !picture.empty()) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    QTimer::singleShot(50, &dialog, [&dialog, picture] {
      write_screenshot(dialog, picture);
      dialog.reject();
    });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return s(dialog.selectedFiles().front());
}

std::shared_ptr<Form> QtRuntime::active_form() {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if (!(*it)->ended()) return *it;
  return nullptr;
}

std::int32_t QtRuntime::message_box(std::string_view caption, std::string_view text,
                                    std::int32_t style) {
  using B = QMessageBox::StandardButton;
  struct Choice {
    B button;
    std::int32_t answer;
  };
  namespace mb = message_box;
  static const std::vector<std::vector<Choice>> kButtons{
      {{B::Ok, mb::kOk}},
      {{B::Ok, mb::kOk}, {B::Cancel, mb::kCancel}},
      {{B::Abort, mb::kAbort}, {B::Retry, mb::kRetry}, {B::Ignore, mb::kIgnore}},
      {{B::Yes, mb::kYes}, {B::No, mb::kNo}, {B::Cancel, mb::kCancel}},
      {{B::Yes, mb::kYes}, {B::No, mb::kNo}},
      {{B::Retry, mb::kRetry}, {B::Cancel, mb::kCancel}},
  };
  const std::size_t set = static_cast<std::size_t>(style & 0x0F);
  const auto& buttons = kButtons[set < kButtons.size() ? set : 0];

  QString body = q(text);
  body.replace(QLatin1Char('|'), QLatin1Char('\n'));
  QMessageBox box(dialog_parent());
  box.setWindowTitle(q(caption));
  box.setText(body.trimmed());
  switch (style & 0xF0) {
    case 16:
      box.setIcon(QMessageBox::Critical);
      break;
    case 32:
      box.setIcon(QMessageBox::Question);
      break;
    case 48:
      box.setIcon(QMessageBox::Warning);
      break;
    case 64:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  QMessageBox::StandardButtons all;
  for (const Choice& c : buttons)
    all |= c.button;
  box.setStandardButtons(all);
  // The preset button; one beyond the last is the first, as the windowing system does.
  std::size_t preset = static_cast<std::size_t>((style >> 8) & 0x0F);
  if (preset >= buttons.size()) preset = 0;
  box.setDefaultButton(buttons[preset].button);
  // Escape is Cancel, else No, else the only button.
  for (const B escape : {B::Cancel, B::No, B::Ok})
    if (all & escape) {
      box.setEscapeButton(escape);
      break;
    }
  // A process that only takes a picture of its form (QUARN_FORMS_SCREENSHOT) never waits
  // for a person: its message boxes take their preset button once shown.
  if (const char* picture = std::getenv("QUARN_FORMS_SCREENSHOT"); picture != nullptr && *picture)
    QTimer::singleShot(50, &box, [&box] { box.defaultButton()->click(); });
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  for (const Choice& c : buttons)
    if (clicked != nullptr && clicked == box.button(c.button)) return c.answer;
  return buttons[preset].answer;
}

Rect QtRuntime::work_area() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {0, 0, 1920, 1040};
  const QRect r = screen->availableGeometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

std::shared_ptr<ProgressWindow> QtRuntime::create_progress(std::string_view prog_id) {
  if (prog_id != kProgressProgId) return nullptr;
  return std::make_shared<QtProgress>(dialog_parent());
}

}  // namespace quarn::forms::qt

extern "C" quarn::forms::Runtime* quarn_forms_qt_runtime() {
  if (QCoreApplication::instance() == nullptr) {
    // The caller has no application object: this library makes one for the process.
    static int argc = 1;
    static char name[] = "quarn-m";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return nullptr;  // an application without widgets cannot show forms
  }
  static auto* runtime = new quarn::forms::qt::QtRuntime;
  return runtime;
}
