#include "ui/qt/window_builder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

#include "ui/qt/balloon_tips.h"
#include "ui/qt/gbk_qstring.h"

namespace {

// A font of the family (宋体 where the windows name one) at a character height in pixels. Where 宋体
// itself is not installed, a Song face or another Chinese face of the system stands in for it.
QFont WindowFont(const Text& family, int pixelHeight) {
  QString name = ToQString(family);
  if (QFont::substitutes(name).isEmpty()) {
    QFont::insertSubstitutions(name, {"SimSun", "NSimSun", "AR PL UMing CN", "AR PL SungtiL GB",
                                      "Noto Serif CJK SC", "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
  }
  QFont font(name);
  font.setPixelSize(pixelHeight);
  font.setWeight(QFont::Normal);
  return font;
}

QColor ColourOf(const Rgb& rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

void SetRole(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, colour);
  widget.setPalette(palette);
}

// Group boxes as the system draws them: an etched frame whose top line runs through the middle of the
// title, the title a little in from the left.
QWidget* NewGroupBox(const ControlSpec& spec, QWidget* parent) {
  auto* box = new QGroupBox(ToQString(spec.text), parent);
  QString colour;
  if (spec.textColour) {
    colour = QString("color: rgb(%1, %2, %3);")
                 .arg(spec.textColour->red)
                 .arg(spec.textColour->green)
                 .arg(spec.textColour->blue);
  }
  box->setStyleSheet(
      QString("QGroupBox { border: 2px groove palette(midlight); border-radius: 0px; margin-top: 6px; }"
              "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
              " left: 7px; top: 0px; padding: 0px 1px; background-color: palette(window); %1 }")
          .arg(colour));
  return box;
}

// The field of a combo box as wide as the system's: a narrow drop-down button and a thin frame, so that
// "9000" fits into a box 49 pixels wide.
class ComboBoxStyle final : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    if (control != CC_ComboBox) return QProxyStyle::subControlRect(control, option, part, widget);
    constexpr int kButtonWidth = 15;
    QRect rect = option->rect;
    if (part == SC_ComboBoxArrow)
      return QRect(rect.right() - kButtonWidth, rect.top(), kButtonWidth + 1, rect.height());
    if (part == SC_ComboBoxEditField) {
      return QRect(rect.left() + 1, rect.top() + 1, rect.width() - kButtonWidth - 2, rect.height() - 2);
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
  }
};

QStyle* ComboStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new ComboBoxStyle();
    style->setParent(QCoreApplication::instance());
  }
  return style;
}

QWidget* NewEditBox(const ControlSpec& spec, QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  box->setVerticalScrollBarPolicy(spec.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  SetRole(*box, QPalette::Base, Qt::white);
  SetRole(*box, QPalette::Text, Qt::black);
  box->setPlainText(ToQString(spec.text));
  return box;
}

QWidget* NewStatusLine(const ControlSpec& spec, QWidget* parent) {
  auto* line = new QLineEdit(ToQString(spec.text), parent);
  line->setFrame(true);
  SetRole(*line, QPalette::Base, line->palette().color(QPalette::Window));
  return line;
}

QWidget* NewComboBox(const ControlSpec& spec, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setStyle(ComboStyle());
  combo->setEditable(true);
  // The list is fixed: what the user types never becomes an entry, and nothing is completed.
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  for (const Text& entry : spec.list) combo->addItem(ToQString(entry));
  combo->setCurrentIndex(-1);
  combo->setEditText(ToQString(spec.text));
  SetRole(*combo, QPalette::Base, Qt::white);
  SetRole(*combo, QPalette::Text, Qt::black);
  return combo;
}

QWidget* NewLabel(const ControlSpec& spec, Qt::TextFormat format, QWidget* parent) {
  auto* label = new QLabel(ToQString(spec.text), parent);
  label->setTextFormat(format);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setWordWrap(false);
  if (format == Qt::RichText) label->setOpenExternalLinks(true);
  return label;
}

QWidget* NewPushButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new QPushButton(ToQString(spec.text), parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QWidget* NewRadioButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new QRadioButton(ToQString(spec.text), parent);
  button->setChecked(spec.checked);
  return button;
}

QWidget* NewControl(const ControlSpec& spec, QWidget* parent, const WindowSpec& windowSpec) {
  switch (spec.kind) {
    case WidgetKind::GroupBox:
      return NewGroupBox(spec, parent);
    case WidgetKind::EditBox:
      return NewEditBox(spec, parent);
    case WidgetKind::StatusLine:
      return NewStatusLine(spec, parent);
    case WidgetKind::ComboBox:
      return NewComboBox(spec, parent);
    case WidgetKind::RadioButton:
      return NewRadioButton(spec, parent);
    case WidgetKind::PushButton:
      return NewPushButton(spec, parent);
    case WidgetKind::Label:
      return NewLabel(spec, Qt::PlainText, parent);
    case WidgetKind::LinkStrip:
      return NewLabel(spec, Qt::RichText, parent);
    case WidgetKind::TooltipControl:
      return new BalloonTips(parent, windowSpec.tipDelayMs, windowSpec.tipDisplayMs);
  }
  return new QWidget(parent);
}

void ApplyLook(QWidget& widget, const ControlSpec& spec, const WindowSpec& window) {
  if (spec.textColour) {
    QColor colour = ColourOf(*spec.textColour);
    bool edited = spec.kind == WidgetKind::StatusLine || spec.kind == WidgetKind::EditBox;
    SetRole(widget, edited ? QPalette::Text : QPalette::WindowText, colour);
  }
  // Every control gets its font explicitly: inside a group box, which has a style sheet, a control does
  // not take its parent's font.
  QFont font = spec.fontFamily.empty() ? WindowFont(window.fontFamily, window.fontPixelHeight)
                                       : WindowFont(spec.fontFamily, spec.fontPixelHeight);
  widget.setFont(font);
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) combo->lineEdit()->setFont(font);
  if (spec.pointingHand) {
    widget.setCursor(Qt::PointingHandCursor);
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) combo->lineEdit()->setCursor(Qt::PointingHandCursor);
  }
}

}  // namespace

void ApplyWindowFrame(QWidget& window, const WindowSpec& spec) {
  window.setWindowTitle(ToQString(spec.caption));
  Qt::WindowFlags flags =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (spec.minimiseButton) flags |= Qt::WindowMinimizeButtonHint;
  window.setWindowFlags((window.windowFlags() & Qt::WindowType_Mask) | flags);
  window.setFixedSize(spec.clientWidth, spec.clientHeight);
  window.setFont(WindowFont(spec.fontFamily, spec.fontPixelHeight));
}

void CentreOnScreen(QWidget& window) {
  QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // The frame counts once the window has one; before that the client area is all there is.
  QSize outer = window.frameGeometry().size();
  window.move(
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, outer, screen->availableGeometry()).topLeft());
}

void BuildControls(QWidget& window, const WindowSpec& spec) {
  for (const ControlSpec& control : spec.controls) {
    QWidget* parent = &window;
    if (!control.parent.empty()) {
      if (auto* box = window.findChild<QGroupBox*>(ToQString(control.parent))) parent = box;
    }
    QWidget* widget = NewControl(control, parent, spec);
    widget->setObjectName(ToQString(control.name));
    widget->setGeometry(control.left, control.top, control.width, control.height);
    ApplyLook(*widget, control, spec);
    if (control.kind == WidgetKind::TooltipControl) {
      widget->hide();
    } else {
      widget->show();
    }
  }
}

ControlEvents::ControlEvents(QWidget& window, QtSurface& surface) : QObject(&window), surface_(surface) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->window() != &window) continue;
    if (std::optional<Control> control = ControlNamed(ToText(widget->objectName()))) {
      surface_.Register(*control, widget);
      Wire(widget, *control);
    }
  }
}

void ControlEvents::Wire(QWidget* widget, Control control) {
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    connect(box, &QPlainTextEdit::textChanged, this,
            [this, control] { surface_.Raise(control, UiEvent::TextChanged); });
    box->viewport()->installEventFilter(this);
    box->viewport()->setProperty("ornivexControl", static_cast<int>(control));
    return;
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    connect(combo, &QComboBox::activated, this, [this, combo, control](int index) {
      // The field shows the chosen entry wholly highlighted when the handler runs, also when the user
      // had typed over the entry that was chosen before.
      {
        QSignalBlocker blocker(combo);
        combo->setEditText(combo->itemText(index));
      }
      combo->lineEdit()->selectAll();
      surface_.Raise(control, UiEvent::ListEntryChosen);
    });
    combo->lineEdit()->installEventFilter(this);
    return;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this,
            [this, control] { surface_.Raise(control, UiEvent::Clicked); });
    if (qobject_cast<QPushButton*>(button) != nullptr) {
      button->installEventFilter(this);
      button->setProperty("ornivexControl", static_cast<int>(control));
    }
  }
}

bool ControlEvents::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    // Enter means nothing in the windows, also not in a combo box's field.
    int key = static_cast<QKeyEvent*>(event)->key();
    return qobject_cast<QLineEdit*>(watched) != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter);
  }
  bool press = event->type() == QEvent::MouseButtonPress;
  bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
  if (!press && !doubleClick) return false;
  if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
  QVariant property = watched->property("ornivexControl");
  if (!property.isValid()) return false;
  auto control = static_cast<Control>(property.toInt());
  if (doubleClick) {
    if (qobject_cast<QPushButton*>(watched) == nullptr) surface_.Raise(control, UiEvent::DoubleClick);
    return false;
  }
  pressRanWindow_ = false;
  surface_.Raise(control, UiEvent::LeftButtonPressed);
  // After the handler the control reacts as usual, except to a press whose release a window of the
  // handler has taken: the button would stay down.
  return pressRanWindow_ && !(QGuiApplication::mouseButtons() & Qt::LeftButton);
}
