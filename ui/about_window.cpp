#include "ui/about_window.hpp"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "main/platform.hpp"
#include "ui/translation.hpp"
#include "ui/twips.hpp"

namespace toluvek {
namespace {

// Layout in twips.
constexpr QSize kClient{5400, 2250};
constexpr QRect kIcon{240, 240, 720, 720};
constexpr QRect kTitle{1200, 210, 3960, 540};
constexpr QRect kVersionLabel{1200, 780, 3960, 300};
constexpr QRect kOk{3960, 1620, 1200, 390};

}  // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmAbout");
  setAttribute(Qt::WA_DeleteOnClose);
  const TwipScale scale(this);
  const auto place = [&scale](QWidget* widget, const QRect& twips) {
    widget->setGeometry(scale.Rect(twips.x(), twips.y(), twips.width(), twips.height()));
  };
  setFixedSize(scale.Size(kClient.width(), kClient.height()));

  // The caption and title come from the program's title.
  const QString title = QString::fromUtf8(kAppTitle);
  setWindowTitle(Tr("%1のﾊﾞｰｼﾞｮﾝ情報").arg(title));

  auto* icon = new QLabel(this);
  icon->setObjectName("picIcon");
  place(icon, kIcon);
  icon->setPixmap(QIcon(":/toluvek/toluvek-64.png").pixmap(icon->size()));
  icon->setAccessibleName(title);

  auto* name = new QLabel(title, this);
  name->setObjectName("lblTitle");
  QFont large = name->font();
  large.setPointSizeF(large.pointSizeF() * 2);
  large.setBold(true);
  name->setFont(large);
  place(name, kTitle);

  auto* version = new QLabel(QString::fromUtf8(kVersionText), this);
  version->setObjectName("lblVersion");
  place(version, kVersionLabel);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  place(ok, kOk);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

}  // namespace toluvek
