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

#include <cstdio>

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

// What else a test waits for in a running program: each list's chosen row and each control's
// enabled state.
void writeStatesOf(QTextStream& out, const QWidget* window)
{
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const QString place = window->objectName() + u'/' + name;
        if (const auto* list = qobject_cast<const QComboBox*>(widget))
            out << place << "/row\t" << list->currentIndex() << '\n';
        if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget))
            out << place << "/enabled\t" << (widget->isEnabled() ? 1 : 0) << '\n';
    }
}

class WindowTextProbe final : public QObject {
public:
    WindowTextProbe() : live_(!qEnvironmentVariableIsEmpty("ZV_TEXT_PROBE_LIVE"))
    {
        poll_.setInterval(100);
        connect(&poll_, &QTimer::timeout, this, &WindowTextProbe::dumpOnceShown);
        // The plugin is made while the application is being built; poll once its loop runs.
        QMetaObject::invokeMethod(&poll_, qOverload<>(&QTimer::start), Qt::QueuedConnection);
    }

private:
    // Once a window shows: its texts, and the program ends. Live (ZV_TEXT_PROBE_LIVE set): the
    // texts and states of the shown windows, written anew (by rename, so a reader never sees
    // half) whenever they change, for as long as the program runs.
    void dumpOnceShown()
    {
        QList<QWidget*> shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !window->objectName().isEmpty())
                shown << window;
        if (shown.isEmpty())
            return;
        QString texts;
        QTextStream out(&texts);
        for (const QWidget* window : shown) {
            writeTextsOf(out, window);
            if (live_)
                writeStatesOf(out, window);
        }
        out.flush();
        if (live_) {
            if (texts != written_)
                write(texts);
            return;
        }
        poll_.stop();
        write(texts);
        const QString grab = qEnvironmentVariable("ZV_TEXT_PROBE_GRAB");
        if (!grab.isEmpty())
            shown.front()->grab().save(grab);
        QCoreApplication::quit();
    }

    // Renamed over the last, but never synced to disk: a sync runs on the program's own thread,
    // and on a busy disk it can hold the program long enough to miss a card pulled and plugged again.
    void write(const QString& texts)
    {
        const QString path = qEnvironmentVariable("ZV_TEXT_PROBE_OUT");
        const QString next = path + QLatin1String(".next");
        QFile file(next);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(texts.toUtf8()) < 0)
            return;
        file.close();
        if (file.error() == QFileDevice::NoError &&
            std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) == 0)
            written_ = texts;
    }

    QTimer poll_;
    bool live_;
    QString written_;
};

} // namespace

class WindowTextProbePlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "WindowTextProbe.json")

public:
    QObject* create(const QString&, const QString&) override { return new WindowTextProbe; }
};

#include "WindowTextProbe.moc"
