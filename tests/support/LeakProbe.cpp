// Leaks one object of its own from inside Qt's event handling and nothing
// else. Run under LeakSanitizer with the project's suppressions, it must be
// reported: the suppressions may hide the system libraries' own allocations,
// never ours.

#include <QApplication>
#include <QTimer>

namespace {
struct ProbeObject {
    int payload[100];
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTimer::singleShot(0, &app, [&app] {
        auto* leaked = new ProbeObject{};
        leaked->payload[0] = 1;
        app.quit();
    });
    return QApplication::exec();
}
