// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

namespace {

// The program's translations are built into it (see cmake/Translations.cmake).
constexpr const char* kProgramTranslations = ":/translations";

// The translator for the first of the locale's languages that has a file; null when none has.
QTranslator* load(QCoreApplication& app, const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    translator->setObjectName(name);
    if (translator->load(locale, name, QStringLiteral("_"), folder) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

void install(QCoreApplication& app)
{
    const QString program = QStringLiteral("tickora");
    if (app.findChild<QTranslator*>(program, Qt::FindDirectChildrenOnly))
        return;
    // English needs no translator; Qt's dialogs speak the language the program found.
    const QTranslator* own = load(app, QLocale::system(), program, QString::fromLatin1(kProgramTranslations));
    if (own)
        load(app, QLocale(own->language()), QStringLiteral("qtbase"),
             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace Translations
