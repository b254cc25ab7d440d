// SPDX-License-Identifier: MIT
#pragma once

// The toolbar component: bands docked at the top and bottom of its parent
// window, tools looked up by name, three events (tool clicked, combo choice,
// free client area changed), and time and date panes that keep themselves
// current. Lookups of names that do not exist fail with Failure(InvalidCall).

#include <QDateTime>
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QHBoxLayout;

namespace orv {

class ActiveBar;

enum class ToolKind { Button, Separator, ComboBox, TextPane, TimePane, DatePane };

struct ToolDefinition
{
    QString name;
    ToolKind kind = ToolKind::Button;
    QString caption;
    bool captionShown = false;
    QString icon; // resource path, empty for none
    QString toolTip;
    QList<QKeySequence> shortcuts;
};

class ActiveBarTool : public QObject
{
    Q_OBJECT

public:
    ActiveBarTool(ActiveBar *owner, const ToolDefinition &definition, QWidget *bandWidget);

    const QString &Name() const { return m_definition.name; }
    ToolKind kind() const { return m_definition.kind; }
    QWidget *widget() const { return m_widget; }

    QString Caption() const;
    void setCaption(const QString &caption);
    bool Enabled() const;
    void setEnabled(bool enabled);

    // Combo tools only; other kinds fail with InvalidCall.
    void AddItem(const QString &text);
    void Clear();
    int ListCount() const;
    void setListIndex(int index); // a position beyond the list fails
    QString Text() const; // the entry shown, empty when none

    // A click as the user makes it: nothing happens while the tool is disabled.
    void click();

private:
    QComboBox *combo() const;

    ActiveBar *m_owner;
    ToolDefinition m_definition;
    QWidget *m_widget = nullptr;
};

enum class Dock { Top, Bottom };

class ActiveBarBand : public QWidget
{
    Q_OBJECT

public:
    ActiveBarBand(ActiveBar *owner, const QString &name, const QString &caption, Dock dock);

    const QString &Name() const { return m_name; }
    const QString &Caption() const { return m_caption; }
    Dock dock() const { return m_dock; }

    ActiveBarTool &Tools(const QString &name) const;
    ActiveBarTool &addTool(const ToolDefinition &definition);
    // Places a control of the window in the band: in front of the tool named
    // beforeTool, or after the tools added so far.
    void addWidget(QWidget *widget, int stretch = 0, const QString &beforeTool = QString());
    const std::vector<std::unique_ptr<ActiveBarTool>> &tools() const { return m_tools; }

private:
    ActiveBar *m_owner;
    QString m_name;
    QString m_caption;
    Dock m_dock;
    QHBoxLayout *m_layout;
    std::vector<std::unique_ptr<ActiveBarTool>> m_tools;
};

class ActiveBar : public QWidget
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // Docks itself into the parent window and follows its size.
    explicit ActiveBar(QWidget *window);
    ~ActiveBar() override;

    ActiveBarBand &Bands(const QString &name) const;
    ActiveBarBand &addBand(const QString &name, const QString &caption, Dock dock);

    // Lays the bands out anew so that a changed pane caption shows at once.
    void RecalcLayout();

    // The free area between the bands, in twips, as last reported.
    QRect clientArea() const { return m_clientArea; }

    // Replaces the clock of the time and date panes (tests).
    void setClock(Clock clock);

    // Asked before a tool's key acts; a gate that answers false has used the
    // key for something else, and the tool is not clicked.
    using ShortcutGate = std::function<bool(const QKeySequence &key)>;
    void setShortcutGate(ShortcutGate gate) { m_shortcutGate = std::move(gate); }
    QDateTime now() const { return m_clock(); }

Q_SIGNALS:
    void ToolClick(orv::ActiveBarTool *tool);
    void ComboSelChange(orv::ActiveBarTool *tool);
    void ClientAreaChanged(int left, int top, int width, int height);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class ActiveBarTool;
    friend class ActiveBarBand;
    void notifyClick(ActiveBarTool *tool);
    void notifyComboChoice(ActiveBarTool *tool);
    void refreshClockPanes();
    void layoutBands();

    std::vector<ActiveBarBand *> m_bands;
    QRect m_clientArea { 0, 0, -1, -1 };
    Clock m_clock;
    QTimer m_clockTimer;
    ShortcutGate m_shortcutGate;
};

} // namespace orv
