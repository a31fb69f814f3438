// Keystroke-to-painted times of the main screen at 100 000 contacts (or
// KONTAVO_BENCH_CONTACTS, e.g. 250000): a key typed into the search field, or
// a tap on the small ABC bar, until the list and the field have been
// repainted (offscreen); the Down key in the list until the list and the card
// under it have been repainted; and a second start: the store and its current
// index opened and the frame created until the list is first painted. The
// device is seeded once and kept in KONTAVO_BENCH_ROOT (default:
// mainscreen-100k, or mainscreen-<N>k, in the current folder) for later runs.
// Each benchmark reports the p50 and p99 of its samples; the baseline is the
// repaint alone, without the keystroke.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "benchhost.h"
#include "benchstats.h"
#include "card/contactcardview.h"
#include "cardbench.h"
#include "list/contactlistmodel.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "list/coollist.h"
#include "list/searchedit.h"
#include "list/smallabcbar.h"
#include "platform/devicefs.h"
#include "platform/locale.h"
#include "platform/sqliteregistry.h"
#include "store/contacts/contactmanager.h"
#include "store/index/lettergroupset.h"
#include "store/settings/settingsstore.h"
#include "ui/sharedfonts.h"

namespace kontavo::bench {
namespace {

constexpr int kSortByName = 41216;  // the View menu's sort commands
constexpr int kSortByCompany = 41218;

int contactCount() {
    const int count = qEnvironmentVariableIntValue("KONTAVO_BENCH_CONTACTS");
    return count > 0 ? count : 100000;
}

QString deviceRoot() {
    return qEnvironmentVariable("KONTAVO_BENCH_ROOT",
                                QStringLiteral("mainscreen-%1k").arg(contactCount() / 1000));
}

struct MainScreen {
    std::unique_ptr<DeviceFs> device;
    std::unique_ptr<SqliteRegistry> registry;
    std::unique_ptr<SettingsStore> settings;
    BenchHost host;
    std::unique_ptr<ContactStoreSession> session;
    std::unique_ptr<ContactsFrame> frame;
};

// A resident-memory figure of this process from /proc/self/status in kB
// (0 when unknown): "VmRSS" in all, "RssAnon" for memory the process
// allocated (not mapped files such as the object store's database).
long residentKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

template <typename Work>
void timed(const char* what, Work work) {
    QElapsedTimer timer;
    timer.start();
    work();
    std::fprintf(stderr, "%-28s %9.0f ms\n", what, double(timer.nsecsElapsed()) / 1e6);
}

void openSession(MainScreen& screen) {
    screen.session =
        ContactStoreSession::open(*screen.device, *screen.settings, screen.host, Locale::user());
    if (screen.session == nullptr) {
        std::fprintf(stderr, "cannot open the contact store in %s\n",
                     qPrintable(screen.device->root()));
        std::exit(1);
    }
}

// The frame on the main window, shown and painted once.
void createFrame(MainScreen& screen) {
    ContactsFrameServices services;
    services.host = &screen.host;
    services.settings = screen.settings.get();
    services.device = screen.device.get();
    services.store = screen.session.get();
    services.letterGroups = LetterGroupSet::loadActiveSet(*screen.settings, Locale::user());
    services.makeList = [&screen] {
        return makeContactListModel(*screen.session, *screen.registry, screen.device.get(),
                                    Screen::current());
    };
    screen.frame = std::make_unique<ContactsFrame>(std::move(services));
    screen.host.window.resize(240, 294);
    screen.frame->create(&screen.host.window, QRect(0, 0, 240, 294));
    screen.frame->showFrame();
    screen.host.window.show();
    QCoreApplication::processEvents();
    screen.frame->list()->view()->repaint();
}

// The screen lives until main() releases it, before the application goes.
std::unique_ptr<MainScreen>& screenSlot() {
    static std::unique_ptr<MainScreen> screen;
    return screen;
}

MainScreen& mainScreen() {
    std::unique_ptr<MainScreen>& screen = screenSlot();
    if (screen != nullptr) {
        return *screen;
    }
    screen = std::make_unique<MainScreen>();
    const QString root = deviceRoot();
    screen->device = std::make_unique<DeviceFs>(root);
    screen->registry = std::make_unique<SqliteRegistry>(SqliteRegistry::fileInRoot(root));
    screen->settings = std::make_unique<SettingsStore>(*screen->registry);
    SharedFonts::setCurrent(SharedFonts::create(*screen->settings, Screen::current()));
    timed("seed (once per device)",
          [&] { seedDemoContactsIfEmpty(*screen->device, contactCount(), Locale::user()); });
    timed("open store and index", [&] { openSession(*screen); });
    timed("create frame (fills list)", [&] { createFrame(*screen); });
    // The list cache loads in steps between events: the longest step is
    // the longest the screen would not answer a key.
    double longestTurn = 0;
    const long residentBefore = residentKb("VmRSS:");
    const long allocatedBefore = residentKb("RssAnon:");
    timed("load the list cache", [&] {
        QElapsedTimer turn;
        while (screen->session->manager().isListLoading()) {
            turn.start();
            QCoreApplication::processEvents();
            longestTurn = std::max(longestTurn, double(turn.nsecsElapsed()) / 1e6);
        }
        QCoreApplication::processEvents();
    });
    std::fprintf(stderr, "%-28s %9.1f ms\n", "longest turn while loading", longestTurn);
    std::fprintf(stderr, "%-28s %9.1f MB (allocated %.1f MB)\n", "resident growth, loading",
                 double(residentKb("VmRSS:") - residentBefore) / 1024,
                 double(residentKb("RssAnon:") - allocatedBefore) / 1024);
    return *screen;
}

// Lets queued events run, then paints the list pane and the field now.
void paint(MainScreen& screen) {
    QCoreApplication::processEvents();
    screen.frame->list()->view()->repaint();
    screen.frame->searchEdit()->repaint();
}

// Runs `step` once per iteration, timing it with the paint that follows.
template <typename Step>
void measure(benchmark::State& state, Step step) {
    MainScreen& screen = mainScreen();
    timeIterations(state, [&](int i) {
        step(screen, i);
        paint(screen);
    });
    if (const auto* list = dynamic_cast<const CoolList*>(screen.frame->list()->view())) {
        state.counters["rows_at_end"] = double(list->rowCount());
    }
}

// Typing "mar", "ale", "ser", "kat", ... and erasing each again: six
// keystrokes per word, every one a refill.
void typeAndErase(MainScreen& screen, int i) {
    static const char* const words[] = {"mar", "ale", "ser", "kat", "joh", "ann", "pet", "mei"};
    QLineEdit* field = screen.frame->searchEdit()->lineEdit();
    const QString word = QString::fromUtf8(words[(i / 6) % 8]);
    const int at = i % 6;
    if (at < 3) {
        QTest::keyClick(field, word[at].toLatin1());
    } else {
        QTest::keyClick(field, Qt::Key_Backspace);
    }
}

void BM_SearchKeystroke(benchmark::State& state) {
    measure(state, typeAndErase);
}

// The same keystrokes with the list sorted by company (rows grouped under
// company headers).
void BM_SearchKeystrokeByCompany(benchmark::State& state) {
    ContactsFrame& frame = *mainScreen().frame;
    frame.handleCommand(kSortByCompany, 0);
    measure(state, typeAndErase);
    frame.handleCommand(kSortByName, 0);
}

// Tapping two groups and taking them back with the bar's backspace.
void BM_AbcBarTap(benchmark::State& state) {
    measure(state, [](MainScreen& screen, int i) {
        SmallAbcBar* bar = screen.frame->smallBar();
        const QList<QRect> buttons = bar->currentFit().buttonRects(bar->height());
        const int groups = int(buttons.size()) - 1;
        const int at = i % 4;
        const int button = at < 2 ? (i / 4 + at * 3) % groups : groups;  // backspace last
        QTest::mouseClick(bar, Qt::LeftButton, {}, buttons[button].center());
    });
}

// A second start: the store and its current index opened and the frame
// created, until the list pane is first painted (the list cache then loads
// in steps); "full_list" adds the wait until it shows every contact. Runs
// before the other benchmarks, with no other holder of the index regions.
void BM_SecondStart(benchmark::State& state) {
    MainScreen screen;
    screen.device = std::make_unique<DeviceFs>(deviceRoot());
    screen.registry =
        std::make_unique<SqliteRegistry>(SqliteRegistry::fileInRoot(screen.device->root()));
    screen.settings = std::make_unique<SettingsStore>(*screen.registry);
    SharedFonts::setCurrent(SharedFonts::create(*screen.settings, Screen::current()));
    seedDemoContactsIfEmpty(*screen.device, contactCount(), Locale::user());
    openSession(screen);  // builds the index when needed; closing writes it back
    screen.session.reset();
    std::vector<double> firstPaint;
    std::vector<double> fullList;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        openSession(screen);
        createFrame(screen);
        firstPaint.push_back(double(timer.nsecsElapsed()) / 1e6);
        state.SetIterationTime(firstPaint.back() / 1e3);
        state.PauseTiming();
        while (screen.session->manager().isListLoading()) {
            QCoreApplication::processEvents();
        }
        paint(screen);
        fullList.push_back(double(timer.nsecsElapsed()) / 1e6);
        screen.frame.reset();
        screen.session.reset();
        state.ResumeTiming();
    }
    state.counters["p50_ms"] = percentile(firstPaint, 0.50);
    state.counters["p99_ms"] = percentile(firstPaint, 0.99);
    state.counters["full_list_p50_ms"] = percentile(fullList, 0.50);
}

// The Down key in the list with the card under it: the selection moves, the
// card is rebuilt for the next contact, and both are painted.
void BM_ArrowKeysWithCard(benchmark::State& state) {
    MainScreen& screen = mainScreen();
    QWidget* list = screen.frame->list()->view();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QCoreApplication::processEvents();
    int shown = 0;
    timeIterations(state, [&](int) {
        QTest::keyClick(list, Qt::Key_Down);
        QCoreApplication::processEvents();
        list->repaint();
        ContactCardView* card = screen.frame->card();
        card->repaint(card->contentRect());
        shown += screen.frame->card()->items().isEmpty() ? 0 : 1;
    });
    state.counters["cards_shown"] = shown;
    state.counters["card_height"] = screen.frame->card()->height();
}

// The baseline: the repaint of the list pane and the field alone.
void BM_RepaintOnly(benchmark::State& state) {
    measure(state, [](MainScreen&, int) {});
}

BENCHMARK(BM_SecondStart)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchKeystroke)->UseManualTime()->Iterations(120)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchKeystrokeByCompany)
    ->UseManualTime()
    ->Iterations(120)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbcBarTap)->UseManualTime()->Iterations(120)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrowKeysWithCard)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintOnly)->UseManualTime()->Iterations(120)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kontavo::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kontavo::bench::screenSlot().reset();
    kontavo::bench::releaseCardScreen();
    return 0;
}
