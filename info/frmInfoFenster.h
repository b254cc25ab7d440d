// SPDX-License-Identifier: MIT
#pragma once

// The Info window: product name and version, the maker's offices per
// country (copyable, with mail links), a sales text, the authors with links
// to their staff pages, a home-page link and a button for the system
// information tool. Modal over its browser window; created when it opens and
// discarded when it closes.

#include "sysutil/orvClassWindows.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace orv {

class SSCommand;
class SSPanel;

namespace platform {
class Platform;
}

class frmInfoFenster : public QDialog
{
    Q_OBJECT

public:
    struct Dependencies
    {
        QString MainHost;
        platform::Platform *platform = nullptr; // the shell that opens links
        int versionMajor = 0;
        int versionMinor = 0;
        int versionRevision = 0;
        // Makes the utility class for "Systeminfo"; by default on the platform above.
        std::function<std::unique_ptr<orvClassWindows>()> createSysUtil;
    };

    enum class Page { Kontakt, Vertrieb, Autoren };
    enum class Country { Österreich, Deutschland };

    // Opens a new window, modal to owner only (to the whole program without
    // one), and returns at once; closing it discards it with its utility class.
    static frmInfoFenster *ShowModal(const Dependencies &dependencies, QWidget *owner = nullptr);
    // The window opened last while it is open, or none.
    static frmInfoFenster *instance();

    explicit frmInfoFenster(Dependencies dependencies, QWidget *parent = nullptr);
    ~frmInfoFenster() override;

    static QString RevisionSuffix(int revision);
    static QString versionText(int major, int minor, int revision);
    void ShowCurrentPage();
    void DragWindow();
    bool isDragSurface(const QWidget *widget) const;

    Page CurrentPage = Page::Kontakt;
    Country CurrentCountry = Country::Österreich;
    std::unique_ptr<orvClassWindows> SysUtil;

    // The controls, public like the controls of a form.
    QLabel *Image1 = nullptr;
    SSPanel *lnkHarlund = nullptr;
    QLabel *lblProgramm = nullptr;
    QLabel *lblVersion = nullptr;
    SSPanel *pnlSysteminfo = nullptr;
    QWidget *frameNavi = nullptr;
    SSPanel *pnlKontakt = nullptr;
    SSPanel *pnlVertrieb = nullptr;
    SSPanel *pnlAutoren = nullptr;
    SSPanel *pnlSchließen = nullptr;
    QLabel *Image2 = nullptr;
    QWidget *frameLand = nullptr;
    SSPanel *pnlÖsterreich = nullptr;
    SSPanel *pnlDeutschland = nullptr;
    QWidget *frameKontakt = nullptr;
    QWidget *frameOlmbach = nullptr;
    QWidget *frameKestadt = nullptr;
    QWidget *frameSarnfeld = nullptr;
    std::array<QLabel *, 5> lblOlmbach {};
    std::array<QLabel *, 5> lblKestadt {};
    std::array<QLabel *, 5> lblSarnfeld {};
    SSCommand *cmdKopierenOlmbach = nullptr;
    SSCommand *cmdKopierenKestadt = nullptr;
    SSCommand *cmdKopierenSarnfeld = nullptr;
    SSPanel *lnkOlmbach = nullptr;
    SSPanel *lnkKestadt = nullptr;
    SSPanel *lnkSarnfeld = nullptr;
    QWidget *frameVertrieb = nullptr;
    QPlainTextEdit *txtVertrieb = nullptr;
    QWidget *frameAutoren = nullptr;
    QGroupBox *frameprogrammierung = nullptr;
    QLabel *lblProjektleitung = nullptr;
    QLabel *lblProgrammierung = nullptr;
    std::array<SSPanel *, 2> lnkArneKolvik {};
    SSPanel *lnkLenzOttmer = nullptr;
    QLabel *Image3 = nullptr;

Q_SIGNALS:
    // The system was asked to move the window with the mouse.
    void dragStarted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createHeader();
    void createNavigation();
    void createPages();
    QWidget *createOffice(const QString &name, QWidget *parent, std::array<QLabel *, 5> &labels,
        SSCommand *&copyButton, SSPanel *&mailLink, int linkWidth, int height);
    void Form_Load();

    // Hover looks.
    void navigationEnter(SSPanel *panel);
    void navigationLeave(SSPanel *panel, bool selected);
    void countryEnter(SSPanel *panel);
    void countryLeave(SSPanel *panel, bool selected);
    static void linkEnter(SSPanel *panel);
    static void linkLeave(SSPanel *panel);

    void showPage(Page page);
    void chooseCountry(Country country);
    void copyOffice(const QString &text);
    void openLink(const QString &target);
    void showSysInfo();

    Dependencies m_deps;
    QList<QWidget *> m_dragSurfaces;
};

} // namespace orv
