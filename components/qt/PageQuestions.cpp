// SPDX-License-Identifier: MIT
#include "components/qt/PageQuestions.h"

#include "components/qt/QtWebAddress.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QAuthenticator>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWebEngineProfile>

namespace orv {

namespace {

// The answers to permissions, by "host:port feature", kept with the profile
// that every window of the program shares: a host answered in one window is
// not asked again in the next.
class PermissionAnswers : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static PermissionAnswers *of(QWebEngineProfile *profile)
    {
        if (auto *answers
            = profile->findChild<PermissionAnswers *>(QString(), Qt::FindDirectChildrenOnly))
            return answers;
        return new PermissionAnswers(profile);
    }

    QHash<QString, bool> byKey;
};

} // namespace

std::optional<Login> askLoginDialog(QWidget *parent, const LoginRequest &request)
{
    QDialog dialog(parent ? parent->window() : nullptr);
    dialog.setObjectName(QStringLiteral("loginDialog"));
    dialog.setWindowTitle(
        (request.proxy ? toQt(texts::proxyLoginTitle) : toQt(texts::loginTitle)) + request.host);
    auto *form = new QFormLayout(&dialog);
    if (!request.realm.isEmpty())
        form->addRow(new QLabel(toQt(texts::loginRealm) + request.realm, &dialog));
    auto *user = new QLineEdit(&dialog);
    auto *password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    form->addRow(toQt(texts::loginUser), user);
    form->addRow(toQt(texts::loginPassword), password);
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *submit
        = buttons->addButton(toQt(texts::loginSubmit), QDialogButtonBox::AcceptRole);
    buttons->addButton(toQt(texts::cancel), QDialogButtonBox::RejectRole);
    submit->setDefault(true);
    // A login without a name would only send empty credentials.
    submit->setEnabled(false);
    QObject::connect(user, &QLineEdit::textChanged, submit,
        [submit](const QString &text) { submit->setEnabled(!text.isEmpty()); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    user->setFocus();
    if (dialog.exec() != QDialog::Accepted || user->text().isEmpty())
        return std::nullopt;
    return Login { user->text(), password->text() };
}

QString permissionQuestion(const QString &host, QWebEnginePage::Feature feature)
{
    using F = QWebEnginePage::Feature;
    QString what;
    switch (feature) {
    case F::Geolocation:
        what = toQt(texts::wantsLocation);
        break;
    case F::Notifications:
        what = toQt(texts::wantsNotifications);
        break;
    case F::MediaAudioCapture:
        what = toQt(texts::wantsMicrophone);
        break;
    case F::MediaVideoCapture:
        what = toQt(texts::wantsCamera);
        break;
    case F::MediaAudioVideoCapture:
        what = toQt(texts::wantsCameraAndMicrophone);
        break;
    case F::DesktopVideoCapture:
        what = toQt(texts::wantsScreen);
        break;
    case F::DesktopAudioVideoCapture:
        what = toQt(texts::wantsScreenAndSound);
        break;
    case F::MouseLock:
        what = toQt(texts::wantsMouse);
        break;
    default:
        what = toQt(texts::wantsOther);
        break;
    }
    return toQt(texts::permissionAsk).arg(host, what);
}

bool askPermissionDialog(QWidget *parent, const QString &host, QWebEnginePage::Feature feature)
{
    QMessageBox box(QMessageBox::Question, toQt(texts::permissionTitle),
        permissionQuestion(host, feature), QMessageBox::NoButton,
        parent ? parent->window() : nullptr);
    box.setObjectName(QStringLiteral("permissionDialog"));
    QPushButton *allow = box.addButton(toQt(texts::allow), QMessageBox::AcceptRole);
    QPushButton *deny = box.addButton(toQt(texts::deny), QMessageBox::RejectRole);
    // Enter alone grants nothing.
    box.setDefaultButton(deny);
    box.setEscapeButton(deny);
    box.exec();
    return box.clickedButton() == allow;
}

PageQuestions::PageQuestions(
    QWebEnginePage *page, QWidget *dialogParent, AskLogin askLogin, AskPermission askPermission)
    : QObject(page), m_page(page), m_dialogParent(dialogParent), m_askLogin(std::move(askLogin)),
      m_askPermission(std::move(askPermission))
{
    connect(page, &QWebEnginePage::authenticationRequired, this,
        [this](const QUrl &address, QAuthenticator *authenticator) {
            answerLogin(address, authenticator, { hostOf(address), authenticator->realm(), false });
        });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
        [this](const QUrl &address, QAuthenticator *authenticator, const QString &proxyHost) {
            answerLogin(address, authenticator, { proxyHost, authenticator->realm(), true });
        });
    connect(
        page, &QWebEnginePage::featurePermissionRequested, this, &PageQuestions::answerPermission);
}

void PageQuestions::answerLogin(
    const QUrl &address, QAuthenticator *authenticator, const LoginRequest &request)
{
    const std::optional<Login> login
        = m_askLogin ? m_askLogin(m_dialogParent, request) : std::nullopt;
    if (!login) {
        // A null authenticator makes the engine give up instead of trying
        // again and again with empty credentials.
        *authenticator = QAuthenticator();
        Q_EMIT loginCancelled(address);
        return;
    }
    authenticator->setUser(login->user);
    authenticator->setPassword(login->password);
}

void PageQuestions::answerPermission(const QUrl &origin, QWebEnginePage::Feature feature)
{
    const QString host = hostOf(origin);
    const QString key = host + QLatin1Char(' ') + QString::number(int(feature));
    QHash<QString, bool> &answers = PermissionAnswers::of(m_page->profile())->byKey;
    const auto known = answers.constFind(key);
    bool allowed = false;
    if (known != answers.constEnd()) {
        allowed = *known;
    } else {
        allowed = m_askPermission && m_askPermission(m_dialogParent, host, feature);
        answers.insert(key, allowed);
    }
    m_page->setFeaturePermission(origin, feature,
        allowed ? QWebEnginePage::PermissionGrantedByUser : QWebEnginePage::PermissionDeniedByUser);
}

} // namespace orv

#include "PageQuestions.moc"
