// Leaks 77 bytes from an event handler and ends. Run under the suite's leak-check settings, its
// report must name that leak: it shows that the suppressions cannot hide a leak of our own code,
// every handler of which runs under Qt's event dispatch.

#include <QCoreApplication>
#include <QEvent>

#include <cstring>

namespace {

char *volatile lastBlock = nullptr;

class LeakingHandler : public QObject {
protected:
    void customEvent(QEvent *) override
    {
        lastBlock = new char[77];
        std::memset(lastBlock, 1, 77);
        lastBlock = nullptr;
        QCoreApplication::quit();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    LeakingHandler handler;
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    return app.exec();
}
