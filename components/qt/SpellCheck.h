// SPDX-License-Identifier: MIT
#pragma once

// German spell checking in the pages' text fields, and the words the user
// adds to it. The engine reads its dictionaries, in its own .bdic form, from
// one folder: QTWEBENGINE_DICTIONARIES_PATH, which Debian's hunspell packages
// answer with /usr/share/hunspell-bdic. The words the user adds go to the
// engine's own word list in the profile ("Custom Dictionary.txt"), which the
// engine reads as the profile starts; this engine has no call to add a word
// while it runs, so until the next start the program's menu leaves the
// user's words alone itself (the underline stays until then).

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QWebEngineProfile;

namespace orv {

inline constexpr char systemDictionaryFolder[] = "/usr/share/hunspell-bdic";
inline constexpr char spellCheckLanguage[] = "de_DE";

// Before the engine starts: the system's dictionaries, unless the
// environment names a folder of its own.
void useSystemDictionaries();

// German spell checking on the profile when its dictionary is there;
// without it pages are not checked, and the log says why once.
void enableSpellCheck(QWebEngineProfile *profile);

class UserDictionary : public QObject
{
    Q_OBJECT

public:
    // The profile's own, made on first use.
    static UserDictionary *of(QWebEngineProfile *profile);
    explicit UserDictionary(const QString &filePath, QObject *parent = nullptr);

    bool contains(const QString &word) const { return m_words.contains(word); }
    // False, and nothing kept, for what the engine would not take as a word
    // or when the file cannot be written.
    bool add(const QString &word);
    QString filePath() const { return m_filePath; }

    // The engine's file: the words sorted, each on a line, then a checksum
    // line over them. A file whose checksum does not fit (edited by hand)
    // still gives its words; only lines the engine refuses are left out.
    static QStringList parse(const QByteArray &contents);
    static QByteArray format(QStringList words);
    static bool isWord(const QString &word);

private:
    bool write(const QSet<QString> &words);

    QString m_filePath;
    QSet<QString> m_words;
};

} // namespace orv
