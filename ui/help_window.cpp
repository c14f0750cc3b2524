#include "ui/help_window.hpp"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/translation.hpp"

namespace toluvek {
namespace {

using namespace Qt::StringLiterals;

// The third label is three sentences on one label; its runs of blanks push each sentence onto
// a line of its own once the label is as wide as its longest sentence.
// Each sentence in the language of the run.
QString UsageSentence() {
  return Tr(u"（mol体積割合は比率が同じであれば絶対値は関係ありません。）"_s);
}
QString ClipboardSentence() {
  return Tr(u"Clipboardボタンを押せば，クリップボードに計算結果をコピーできます。"_s);
}
QString MoistureSentence() {
  return Tr(u"\"H2O\"をクリックすると飽和温度や液体のｴﾝﾀﾙﾋﾟ計算等ができます。"_s);
}

// Texts of the labels, top to bottom; an empty text is a blank line. Each is shown in the
// language of the run.
QStringList LabelTexts() {
  return {
      u"１．使い方"_s,
      u"　温度，圧力と各化学種のmol体積割合を入力し，計算ボタンを押します。"_s,
      // Translated sentences have blanks of their own, where a line could break as well.
      ShowsTranslations()
          ? UsageSentence() + u'\n' + ClipboardSentence() + u'\n' + MoistureSentence()
          : UsageSentence() + QString(14, u' ') + ClipboardSentence() + QString(5, u' ') +
                MoistureSentence(),
      u"２．計算の概要"_s,
      u"各化学種の物性値は，種々の文献データを参照し，温度に関する多項式で近似して算出しています。常圧付近で利用でき，密度，動粘性係数以外は圧力を考慮しません。"_s,
      u"３．出典"_s,
      u"比熱は，文献 [1] 記載の式を使用しています。（適用範囲は200～1000K程度）"_s,
      u"粘性係数は，Chapman-Enskogの分子運動論から導出される計算値を多項式近似して使用しています。（詳細は文献[1]）"_s,
      u"熱伝導率は，文献[2][3]等に記載の数値を近似して使用しています。"_s,
      u"混合則の詳細は，文献[1][4]を参照下さい。粘性係数は，Sutherlandの式，Wilkeの方法を，熱伝導率は，Wassiljewaの式，Mason-Saxenaの式を用いています。"_s,
      QString(),
      u"Pr数については，Euckenの式による値も併記しました。非極性多原子分子に対して適用可能となっています。（文献[4]）"_s,
      u"ｴﾝﾀﾙﾋﾟｰは，文献[1][5]記載のデータをもとに温度に関する多項式近似をして使用しています。"_s,
      // The works the fits and mixing rules come from.
      u"[1] 化学工学会 編「化学工学便覧 改訂六版」丸善 (1999)\n"
      u"[2] 日本機械学会 編「伝熱工学資料 改訂第4版」日本機械学会 (1997)\n"
      u"[3] R. C. Reid, J. M. Prausnitz, T. K. Sherwood「The Properties of Gases and Liquids, "
      u"Third Edition」McGraw-Hill (1977)\n"
      u"[4] R. B. Bird, W. E. Stewart, E. N. Lightfoot「Transport Phenomena」"
      u"John Wiley & Sons (1960)\n"
      u"[5] M. W. Chase, Jr. 編「NIST-JANAF Thermochemical Tables, Fourth Edition」"
      u"American Chemical Society / American Institute of Physics (1998)"_s,
  };
}

// The headings "１．", "２．", "３．".
constexpr int kHeadings[] = {0, 3, 5};
constexpr int kMarginPixels = 12;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form2");
  setWindowTitle("How To Use");
  setAttribute(Qt::WA_DeleteOnClose);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMarginPixels, kMarginPixels, kMarginPixels, kMarginPixels);
  layout->setSpacing(6);

  const QFontMetrics metrics(font());
  const int text_width = std::max({metrics.horizontalAdvance(UsageSentence()),
                                   metrics.horizontalAdvance(ClipboardSentence()),
                                   metrics.horizontalAdvance(MoistureSentence())}) +
                         metrics.averageCharWidth();

  const QStringList texts = LabelTexts();
  for (qsizetype i = 0; i < texts.size(); ++i) {
    auto* label = new QLabel(Tr(texts[i]), this);
    label->setObjectName(u"Label%1"_s.arg(i + 1));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(text_width);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (std::find(std::begin(kHeadings), std::end(kHeadings), i) != std::end(kHeadings)) {
      QFont bold = label->font();
      bold.setBold(true);
      label->setFont(bold);
    }
    if (texts[i].isEmpty()) label->setMinimumHeight(metrics.height());
    layout->addWidget(label);
  }

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Command1");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
  layout->addSpacing(4);
  layout->addWidget(ok, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace toluvek
