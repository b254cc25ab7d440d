// SPDX-License-Identifier: MIT
#include "components/qt/SpellCheck.h"

#include "components/qt/StepLog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QWebEngineProfile>

#include <algorithm>
#include <utility>

namespace orv {

namespace {

const char *const dictionaryVariable = "QTWEBENGINE_DICTIONARIES_PATH";
const QByteArray checksumPrefix = QByteArrayLiteral("checksum_v1 = ");
// The engine's limit: longer entries it drops when it reads the file.
constexpr qsizetype maxWordBytes = 99;

} // namespace

void useSystemDictionaries()
{
    if (qEnvironmentVariableIsEmpty(dictionaryVariable))
        qputenv(dictionaryVariable, systemDictionaryFolder);
}

void enableSpellCheck(QWebEngineProfile *profile)
{
    const QString dictionary = qEnvironmentVariable(dictionaryVariable) + QLatin1Char('/')
        + QLatin1String(spellCheckLanguage) + QLatin1String(".bdic");
    if (!QFileInfo(dictionary).isFile()) {
        // Every window shares this profile; saying it once is enough.
        static bool told = false;
        if (!std::exchange(told, true))
            qCInfo(lcSkippedSteps).noquote()
                << QStringLiteral("no spell checking, the dictionary %1 is missing")
                       .arg(dictionary);
        return;
    }
    profile->setSpellCheckLanguages({ QLatin1String(spellCheckLanguage) });
    profile->setSpellCheckEnabled(true);
    UserDictionary::of(profile);
}

UserDictionary *UserDictionary::of(QWebEngineProfile *profile)
{
    if (auto *existing
        = profile->findChild<UserDictionary *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new UserDictionary(
        profile->persistentStoragePath() + QStringLiteral("/Custom Dictionary.txt"), profile);
}

UserDictionary::UserDictionary(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath)
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray contents = file.readAll();
    const QStringList words = parse(contents);
    m_words = QSet<QString>(words.cbegin(), words.cend());
    // The engine ignores a file whose checksum does not fit; written anew
    // before it reads it, the hand-edited words count at this start.
    if (format(words) != contents)
        write(m_words);
}

bool UserDictionary::isWord(const QString &word)
{
    const QByteArray bytes = word.toUtf8();
    return !word.isEmpty() && bytes.size() <= maxWordBytes
        && std::none_of(word.cbegin(), word.cend(), [](QChar c) { return c.isSpace(); });
}

QStringList UserDictionary::parse(const QByteArray &contents)
{
    const qsizetype checksum = contents.lastIndexOf(checksumPrefix);
    QStringList words;
    for (const QByteArray &line :
        contents.left(checksum < 0 ? contents.size() : checksum).split('\n')) {
        const QString word = QString::fromUtf8(line.trimmed());
        if (isWord(word) && !words.contains(word) && word.toUtf8() == line.trimmed())
            words.append(word);
    }
    return words;
}

QByteArray UserDictionary::format(QStringList words)
{
    // Sorted by their bytes, as the engine keeps them.
    std::sort(words.begin(), words.end(),
        [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    QByteArray lines;
    for (const QString &word : words)
        lines += word.toUtf8() + '\n';
    return lines + checksumPrefix
        + QCryptographicHash::hash(lines, QCryptographicHash::Md5).toHex();
}

bool UserDictionary::add(const QString &word)
{
    if (!isWord(word))
        return false;
    if (m_words.contains(word))
        return true;
    QSet<QString> words = m_words;
    words.insert(word);
    if (!write(words))
        return false;
    m_words = words;
    return true;
}

bool UserDictionary::write(const QSet<QString> &words)
{
    QDir().mkpath(QFileInfo(m_filePath).path());
    QSaveFile file(m_filePath);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(format(QStringList(words.cbegin(), words.cend()))) >= 0 && file.commit();
    if (!written)
        qCWarning(lcSkippedSteps).noquote()
            << QStringLiteral("the word list %1 cannot be written: %2")
                   .arg(m_filePath, file.errorString());
    return written;
}

} // namespace orv
