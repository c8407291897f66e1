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

}  // namespace

void QtHost::UseLocale(const std::string& name) {
  if (translator_ && name == locale_) return;
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
  translator_ = std::make_unique<DesktopTexts>();
  locale_ = name;
  const QLocale locale = name.empty() ? QLocale::system() : QLocale(QString::fromStdString(name));
  // "qt" names every module's translations of a language at once.
  if (translator_->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator_.get());
  }
}

}  // namespace pyxaro::ui
