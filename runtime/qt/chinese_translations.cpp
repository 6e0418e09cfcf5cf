#include "runtime/qt/chinese_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace channelflow::runtime::qt {

bool installChineseTranslations() {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return false;
  static const char* const kInstalled = "channelflowChineseTranslations";
  if (application->property(kInstalled).isValid()) return application->property(kInstalled).toBool();
  // Owned by the application, so it lives exactly as long as the strings it serves.
  auto* translator = new QTranslator(application);
  const bool loaded = translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (loaded) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
  application->setProperty(kInstalled, loaded);
  return loaded;
}

}  // namespace channelflow::runtime::qt
