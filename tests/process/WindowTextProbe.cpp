// Reads the real program's windows from inside, for the process tests. Qt loads it into any Qt
// program named in QT_QPA_GENERIC_PLUGINS (found under QT_PLUGIN_PATH/generic), so the program
// itself carries nothing for its tests. Once a window is shown it writes every text of the shown
// windows to the file named by ZV_TEXT_PROBE_OUT, one "Window/Control/part<TAB>text" a line, grabs
// the first shown window into ZV_TEXT_PROBE_GRAB when that is set, and ends the program.
#include "gui/WindowTexts.h"

#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QTextStream>
#include <QTimer>

namespace {

QString oneLine(QString text)
{
    return text.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'\r', QLatin1String("\\r"))
        .replace(u'\n', QLatin1String("\\n"));
}

void writeTextsOf(QTextStream& out, const QWidget* window)
{
    zv::test::forEachText(window, [&](const QString& place, const QString& text) {
        out << window->objectName() << u'/' << place << '\t' << oneLine(text) << '\n';
    });
}

class WindowTextProbe final : public QObject {
public:
    WindowTextProbe()
    {
        poll_.setInterval(100);
        connect(&poll_, &QTimer::timeout, this, &WindowTextProbe::dumpOnceShown);
        // The plugin is made while the application is being built; poll once its loop runs.
        QMetaObject::invokeMethod(&poll_, qOverload<>(&QTimer::start), Qt::QueuedConnection);
    }

private:
    void dumpOnceShown()
    {
        QList<QWidget*> shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !window->objectName().isEmpty())
                shown << window;
        if (shown.isEmpty())
            return;
        poll_.stop();
        QFile file(qEnvironmentVariable("ZV_TEXT_PROBE_OUT"));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream out(&file);
            for (const QWidget* window : shown)
                writeTextsOf(out, window);
        }
        const QString grab = qEnvironmentVariable("ZV_TEXT_PROBE_GRAB");
        if (!grab.isEmpty())
            shown.front()->grab().save(grab);
        QCoreApplication::quit();
    }

    QTimer poll_;
};

} // namespace

class WindowTextProbePlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "WindowTextProbe.json")

public:
    QObject* create(const QString&, const QString&) override { return new WindowTextProbe; }
};

#include "WindowTextProbe.moc"
