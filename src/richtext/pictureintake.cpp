#include "richtext/pictureintake.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "platform/regularfile.h"
#include "richtext/imagereferences.h"
#include "store/picturestore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace PictureIntake {

namespace {

// The name of an old icon's file when it stands for the program's icon of
// that name: it lies in a folder named "icons", the program has an icon of
// that name, and the old file is gone or holds the same picture.
QString iconNameFor(const QString &file, const QString &iconFolder)
{
    const QFileInfo info(file);
    if (iconFolder.isEmpty() || info.dir().dirName() != QLatin1String("icons"))
        return QString();
    const QString name = info.fileName();
    const QString current = iconFolder + name;
    if (!QFileInfo(current).isFile())
        return QString();
    if (!QFileInfo::exists(file))
        return name;
    const std::optional<QByteArray> old = RegularFile::read(file, kMaxPictureBytes);
    const std::optional<QByteArray> now = RegularFile::read(current, kMaxPictureBytes);
    return old && now && *old == *now ? name : QString();
}

} // namespace

QString iconDirectory()
{
    return AppPaths::dataFilesDirectory() + QStringLiteral("/icons/");
}

QString localFileOf(const QString &source)
{
    // The text document makes its address the same way.
    const QUrl url(source);
    if (url.scheme() == QLatin1String("file"))
        return url.toLocalFile();
    if (url.scheme().isEmpty() && url.path().startsWith(QLatin1Char('/')))
        return url.path();
    return QString();
}

namespace {
// Whether "<img" appears in any case. Every stored note passes here at
// start-up: looking for '<' first is many times faster than a search that
// folds the case of every character.
bool mayHoldPicture(QStringView html)
{
    const auto is = [html](qsizetype at, char16_t lower) {
        return (html[at].unicode() | 0x20) == lower;
    };
    for (qsizetype at = html.indexOf(u'<'); at >= 0 && at + 3 < html.size();
         at = html.indexOf(u'<', at + 1)) {
        if (is(at + 1, u'i') && is(at + 2, u'm') && is(at + 3, u'g'))
            return true;
    }
    return false;
}
} // namespace

FileIntake takeInFile(const QString &path)
{
    FileIntake intake;
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxPictureBytes) {
        intake.outcome = Outcome::TooLarge;
        return intake;
    }
    const std::optional<QByteArray> bytes = RegularFile::read(path, kMaxPictureBytes);
    if (!bytes || bytes->isEmpty())
        return intake;
    intake.outcome = Outcome::Taken;
    intake.hash = PictureStore::instance().add(*bytes);
    return intake;
}

Result takeIn(const QString &html, const QString &iconFolder)
{
    Result result;
    result.html = ImageReferences::rewrite(html, [&](const QString &source) {
        const QString file = localFileOf(source);
        if (file.isEmpty())
            return QString();
        if (const QString icon = iconNameFor(file, iconFolder); !icon.isEmpty()) {
            ++result.taken;
            return PictureStore::iconSource(icon);
        }
        const FileIntake intake = takeInFile(file);
        if (intake.outcome == Outcome::TooLarge && !result.tooLarge.contains(file))
            result.tooLarge.append(file);
        if (intake.outcome != Outcome::Taken)
            return QString();
        ++result.taken;
        qCDebug(lcRichText) << "PictureIntake: took in" << file << "as" << intake.hash;
        return PictureStore::imageSource(intake.hash);
    });
    return result;
}

Result takeIn(const QString &html)
{
    if (!mayHoldPicture(html))
        return Result{html, 0, {}};
    return takeIn(html, iconDirectory());
}

QString tooLargeTitle()
{
    return QCoreApplication::translate("PictureIntake", "Picture Too Large");
}

QString tooLargeMessage(const QStringList &files)
{
    QString list;
    for (const QString &file : files)
        list += QStringLiteral("<li>%1</li>").arg(QDir::toNativeSeparators(file).toHtmlEscaped());
    return QCoreApplication::translate(
               "PictureIntake",
               "<p>These pictures are larger than 20 MB and are not kept in the note:</p><ul>%1"
               "</ul><p>The note refers to each file where it is now and shows a placeholder "
               "for it; a smaller copy of the picture can be inserted instead.</p>")
        .arg(list);
}

} // namespace PictureIntake
