// SPDX-License-Identifier: MIT
#pragma once

// The Info window: product name and version, the maker's offices per
// country (copyable, with mail links), a sales text, the authors with links
// to their staff pages, a home-page link and a button for the system
// information tool. Modal over its browser window; created when it opens and
// discarded when it closes. It draws what its
// rules (InfoWindowRules) decide.

#include "info/InfoLayout.h"
#include "info/InfoWindowRules.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace orv {

class InfoControls;
class SSCommand;
class SSPanel;

class frmInfoFenster : public QDialog, private info::InfoView
{
    Q_OBJECT

public:
    struct Dependencies
    {
        std::string MainHost;
        platform::Platform *platform = nullptr; // the shell that opens links
        int versionMajor = 0;
        int versionMinor = 0;
        int versionRevision = 0;
        // Makes the utility class for "Systeminfo"; by default on the platform above.
        std::function<std::unique_ptr<orvClassWindows>()> createSysUtil;
    };

    // Opens a new window, modal to owner only (to the whole program without
    // one), and returns at once; closing it discards it with its utility class.
    static frmInfoFenster *ShowModal(const Dependencies &dependencies, QWidget *owner = nullptr);
    // The window opened last while it is open, or none.
    static frmInfoFenster *instance();

    explicit frmInfoFenster(Dependencies dependencies, QWidget *parent = nullptr);
    ~frmInfoFenster() override;

    const info::InfoWindowRules &rules() const { return m_rules; }
    void DragWindow();
    bool isDragSurface(const QWidget *widget) const;

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
    // What the pointer leaving a panel of the role and a click on it do.
    void wirePanel(SSPanel *panel, info::Role role, std::string target);
    void findControls();
    void Form_Load();

    SSPanel *panel(info::Page page) const;
    SSPanel *panel(info::Country country) const;

    void setFrameVisible(info::Frame frame, bool visible) override;
    void showLook(std::string_view panel, const info::Look &look) override;
    platform::WindowHandle handle() const override;

    Dependencies m_deps;
    info::InfoWindowRules m_rules;
    std::unique_ptr<InfoControls> m_controls;
};

} // namespace orv
