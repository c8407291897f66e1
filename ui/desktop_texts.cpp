#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/qt_host.h"

namespace pyxaro::ui {

namespace {

// Qt's translations for a language. Some languages' catalogues (Swedish
// among them) still keep the boxes' standard buttons under the button box,
// where older versions of Qt looked for them; they are found there too.
class DesktopTexts : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    QString text = QTranslator::translate(context, source, disambiguation, n);
    if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0) {
      text = QTranslator::translate("QDialogButtonBox", source, disambiguation, n);
    }
    return text;
  }
};

// Qt comes without a catalogue of Norwegian Bokmål; the standard buttons of
// the Nynorsk one (Ja, Nei, Avbryt) read the same in Bokmål.
QLocale Neighbour(const QLocale& locale) {
  return locale.language() == QLocale::NorwegianBokmal ? QLocale(QLocale::NorwegianNynorsk)
                                                       : locale;
}

}  // namespace

void QtHost::UseLocale(const std::string& name) {
  if (translator_ && name == locale_) return;
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
  translator_ = std::make_unique<DesktopTexts>();
  locale_ = name;
  const QLocale locale = GameLocale();
  // "qt" names every module's translations of a language at once.
  const auto load = [this](const QLocale& catalogue) {
    return translator_->load(catalogue, QStringLiteral("qt"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  };
  if (load(locale) || load(Neighbour(locale))) {
    QCoreApplication::installTranslator(translator_.get());
  }
}

QLocale QtHost::GameLocale() const {
  return locale_.empty() ? QLocale::system() : QLocale(QString::fromStdString(locale_));
}

}  // namespace pyxaro::ui
