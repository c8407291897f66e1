#include "ui/profiles_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "ui/box_keys.h"
#include "ui/dialog_style.h"
#include "ui/plain_text.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

constexpr int kTextPx = 11;
constexpr int kHeadingPx = 19;

QFont Verdana(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

template <typename W>
W* Placed(W* widget, const Control& data) {
  widget->setGeometry(PxRect(data));
  widget->setFont(Verdana(kTextPx, data.Bold));
  return widget;
}

}  // namespace

ProfilesWindow::ProfilesWindow(Game& game, Dispatch act, QWidget* owner)
    : QWidget(owner, Qt::Dialog), game_(game), act_(std::move(act)) {
  const ProfilesForm& form = game_.Profiles().Window();
  setObjectName(QStringLiteral("profiles"));
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(QString::fromLatin1(kDialogStyle));
  setFixedSize(Px(ProfilesForm::Width), Px(ProfilesForm::Height));
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("frame"));
  frame->setGeometry(rect());
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);

  // Texts from the language file are shown as written, never as markup.
  const auto label = [this](const Control& control) {
    auto* shown = Placed(new QLabel(this), control);
    shown->setTextFormat(Qt::PlainText);
    return shown;
  };
  heading_ = label(form.Heading);
  heading_->setFont(Verdana(kHeadingPx, true));
  list_ = Placed(new QListWidget(this), form.ListArea);
  remove_ = Button(form.RemoveButton, Command::RemoveProfile);
  add_ = Button(form.AddButton, Command::AddProfile);
  nameLabel_ = label(form.NameLabel);
  name_ = Placed(new QLineEdit(this), form.NameField);
  passwordLabel_ = label(form.PasswordLabel);
  password_ = Placed(new QLineEdit(this), form.PasswordField);
  password_->setEchoMode(QLineEdit::Password);
  // The fields show the selected profile; typing there would change nothing.
  name_->setReadOnly(true);
  password_->setReadOnly(true);
  cancel_ = Button(form.CancelButton, Command::CancelProfiles);
  ok_ = Button(form.OkButton, Command::ConfirmProfiles);
  dontShow_ = Placed(new QCheckBox(this), form.DontShowWhenSending);
  frame->lower();
  AnswerBoxKeys(this, ok_, cancel_);

  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    act_([this, row] { game_.Pick(List::Profiles, Row{row}); });
  });
  // The arrow keys select a row just as a click does, so that Remove takes
  // the highlighted one.
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) act_([this, row] { game_.Pick(List::Profiles, Row{row}); });
  });
  connect(dontShow_, &QCheckBox::toggled, this,
          [this](bool on) { act_([this, on] { game_.Tick(TickBox::DontShowProfiles, on); }); });
}

QPushButton* ProfilesWindow::Button(const Control& control, Command command) {
  auto* button = Placed(new QPushButton(this), control);
  connect(button, &QPushButton::clicked, this,
          [this, command] { act_([this, command] { game_.Do(command); }); });
  return button;
}

void ProfilesWindow::Sync() {
  const ProfilesForm& form = game_.Profiles().Window();
  setWindowTitle(Q(form.Caption));
  heading_->setText(Q(form.Heading.Caption));
  QStringList items;
  for (const auto& item : form.ProfileList.Items) items << Q(item);
  QStringList shown;
  for (int i = 0; i < list_->count(); ++i) shown << list_->item(i)->text();
  if (shown != items) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    list_->addItems(items);
  }
  if (list_->currentRow() != form.ProfileList.ListIndex) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(form.ProfileList.ListIndex);
  }
  for (const auto& [button, control] : {std::pair{remove_, &form.RemoveButton},
                                        {add_, &form.AddButton},
                                        {cancel_, &form.CancelButton},
                                        {ok_, &form.OkButton}}) {
    button->setText(Q(control->Caption));
    button->setToolTip(PlainToolTip(control->ToolTip));
    button->setAccessibleDescription(Q(control->ToolTip).trimmed());
    button->setEnabled(control->Enabled);
  }
  nameLabel_->setText(Q(form.NameLabel.Caption));
  passwordLabel_->setText(Q(form.PasswordLabel.Caption));
  name_->setText(Q(form.NameField.Caption));
  password_->setText(Q(form.PasswordField.Caption));
  dontShow_->setText(Q(form.DontShowWhenSending.Caption));
  if (dontShow_->isChecked() != form.DontShowWhenSendingTicked) {
    const QSignalBlocker quiet(dontShow_);
    dontShow_->setChecked(form.DontShowWhenSendingTicked);
  }
}

void ProfilesWindow::closeEvent(QCloseEvent* event) {
  // Closed by the desktop's own means: neither OK nor Cancel, so a waiting
  // submission keeps waiting until the window is opened and closed again.
  event->accept();
  if (game_.Profiles().Window().Visible) act_([this] { game_.Do(Command::ProfilesClosed); });
}

}  // namespace pyxaro::ui
