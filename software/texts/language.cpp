#include "texts/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace language {

namespace {

QString installed = "en";
std::unique_ptr<QTranslator> own;
std::unique_ptr<QTranslator> qt;

// "de_DE.UTF-8@euro" -> "de"; "zh_CN" stays "zh_CN", as the translation file is named.
QString match(QString name)
{
    name = name.section('.', 0, 0).section('@', 0, 0).trimmed();
    const QString lang = name.section('_', 0, 0).toLower();
    if (lang == "en")
        return "en";
    if (lang == "zh") {
        const QString region = name.section('_', 1).toUpper();
        return (region.isEmpty() || region == "CN" || region == "SG") ? "zh_CN" : QString();
    }
    return available().contains(lang) ? lang : QString();
}

} // namespace

const QStringList& available()
{
    static const QStringList languages = {"de", "fr", "es", "it", "ja", "zh_CN"};
    return languages;
}

QString choose(const QProcessEnvironment& environment)
{
    // A C or POSIX locale asks for no language: gettext ignores LANGUAGE then, and so do we.
    const auto first_set = [&] {
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const QString value = environment.value(variable);
            if (!value.isEmpty())
                return value;
        }
        return QString();
    };
    const QString locale = first_set();
    if (locale.isEmpty() || locale == "C" || locale.startsWith("C.") || locale == "POSIX")
        return "en";
    for (const QString& wanted : environment.value("LANGUAGE").split(':', Qt::SkipEmptyParts)) {
        const QString found = match(wanted);
        if (!found.isEmpty())
            return found;
    }
    const QString found = match(locale);
    return found.isEmpty() ? "en" : found;
}

bool install(const QString& code)
{
    for (auto* translator : {own.get(), qt.get()})
        if (translator)
            QCoreApplication::removeTranslator(translator);
    own.reset();
    qt.reset();
    installed = "en";
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (code == "en")
        return true;
    auto mine = std::make_unique<QTranslator>();
    if (!available().contains(code) || !mine->load(":resources/velmora_" + code + ".qm"))
        return false;
    // Qt's own texts in the same language, or the save dialog would speak English in a
    // translated window. Without them (qttranslations5-l10n missing) the window stays English:
    // never two languages on one screen.
    auto theirs = std::make_unique<QTranslator>();
    if (!theirs->load("qtbase_" + code, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(mine.get());
    QCoreApplication::installTranslator(theirs.get());
    own = std::move(mine);
    qt = std::move(theirs);
    installed = code;
    QLocale::setDefault(QLocale(code));
    return true;
}

QString current()
{
    return installed;
}

QString font_package(const QString& code)
{
    return (code == "ja" || code.startsWith("zh")) ? QString("fonts-noto-cjk") : QString("fonts-noto-core");
}

QString native_name(const QString& code)
{
    return code == "en" ? QString("English") : QLocale(code).nativeLanguageName();
}

} // namespace language
