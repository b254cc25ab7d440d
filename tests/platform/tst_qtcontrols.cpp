// SPDX-License-Identifier: MIT
// The Qt control adapters on real widgets of the offscreen platform.
#include "ControlsContract.h"
#include "platform/SystemPlatform.h"
#include "sysutil/controls/SystemControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetricsF>
#include <QTest>

using namespace orv;

class QtControls : public QObject, public test::Controls
{
    Q_OBJECT

public:
    ComboBoxObject &combo(std::int32_t scaleMode, int entries) override
    {
        m_form = std::make_unique<controls::SystemForm>(&m_window, scaleMode);
        delete m_box;
        m_box = new QComboBox(&m_window);
        m_box->setGeometry(10, 20, 4, 24);
        for (int i = 0; i < entries; ++i)
            m_box->addItem(QString(i + 1, QLatin1Char('W')));
        m_combo = std::make_unique<controls::SystemComboBox>(m_box, *m_form);
        return *m_combo;
    }
    int comboHeight() override { return m_box->height(); }
    bool comboKeptPlace() override { return m_box->pos() == QPoint(10, 20) && m_box->width() == 4; }
    int listWidth() override { return m_box->view()->minimumWidth(); }
    double textWidth(const std::wstring &text) override
    {
        return QFontMetricsF(m_window.font()).horizontalAdvance(QString::fromStdWString(text));
    }

private Q_SLOTS:
    void contract()
    {
        m_window.setGeometry(100, 80, 400, 300);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        QCOMPARE(m_window.logicalDpiX(), 96);
        platform::SystemPlatform platform;
        for (const std::string &wrong : test::controlsContract(*this, platform))
            QTest::qFail(wrong.c_str(), __FILE__, __LINE__);
    }

private:
    QWidget m_window;
    QComboBox *m_box = nullptr;
    std::unique_ptr<controls::SystemForm> m_form;
    std::unique_ptr<controls::SystemComboBox> m_combo;
};

QTEST_MAIN(QtControls)
#include "tst_qtcontrols.moc"
