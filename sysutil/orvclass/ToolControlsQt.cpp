// SPDX-License-Identifier: MIT
#include "platform/posix/Handles.h"
#include "sysutil/controls/QtControls.h"
#include "sysutil/orvclass/ToolControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>

namespace orv::orvclass {

namespace {

using namespace orv::controls;
using orv::platform::posix::widgetApplication;

class QtToolControls : public Controls
{
public:
    ComboBoxObject *comboBox(const std::vector<std::wstring> &entries) override
    {
        if (!makeForm())
            return nullptr;
        m_combo = new QComboBox(m_window.get());
        m_combo->setGeometry(10, 10, 120, 24);
        for (const std::wstring &entry : entries)
            m_combo->addItem(QString::fromStdWString(entry));
        m_comboObject = std::make_unique<QtComboBox>(*m_combo, *m_form);
        return m_comboObject.get();
    }
    std::int32_t comboHeight() const override { return m_combo->height(); }
    std::int32_t comboListWidth() const override { return m_combo->view()->minimumWidth(); }

    PictureBoxObject *pictureBox() override
    {
        if (!makeForm())
            return nullptr;
        m_label = new QLabel(m_window.get());
        m_label->setGeometry(10, 40, 32, 32);
        m_picture = std::make_unique<QtPictureBox>(*m_label);
        return m_picture.get();
    }
    bool savePicture(const std::wstring &file) override
    {
        // A cleared picture is saved as the empty surface.
        const QImage image
            = m_label->pixmap().isNull() ? m_picture->surface() : m_label->pixmap().toImage();
        return image.save(QString::fromStdWString(file));
    }

private:
    bool makeForm()
    {
        if (m_window)
            return true;
        if (!widgetApplication())
            return false;
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(0, 0, 300, 200);
        m_form = std::make_unique<QtForm>(*m_window);
        return true;
    }

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<QtForm> m_form;
    QComboBox *m_combo = nullptr;
    std::unique_ptr<QtComboBox> m_comboObject;
    QLabel *m_label = nullptr;
    std::unique_ptr<QtPictureBox> m_picture;
};

} // namespace

std::unique_ptr<Controls> createToolControls()
{
    return std::make_unique<QtToolControls>();
}

} // namespace orv::orvclass
