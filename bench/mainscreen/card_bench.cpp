// Building and painting the contact card (offscreen, 240 x 294 at 96 dpi):
// the card of a contact that fills every group, and of the richest of 2000
// demonstration contacts, from the record to the painted card (what a new
// card redraws: the items, not the scroll bar, which repaints itself only
// when it changes). The baseline is painting the built card again. Each reports the p50 and p99 of
// its samples.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "benchstats.h"
#include "card/addressformattable.h"
#include "card/contactcardbuilder.h"
#include "card/contactcardview.h"
#include "card/contacttemplate.h"
#include "cardbench.h"
#include "platform/locale.h"
#include "store/contacts/demoseed.h"
#include "support/richcontact.h"

namespace kontavo::bench {
namespace {

constexpr int kDemoContacts = 2000;

struct CardScreen {
    CardScreen() : formats(AddressFormatTable::fromStringTable(Locale::user().countryCode())) {
        context.addressFormats = &formats;
        context.locale = &Locale::user();
        context.phoneTemplates =
            PhoneTemplateSet(PhoneTemplateSet::firstRunTemplates(), true, false);
        context.categoryNames = [](const QByteArray&) {
            return QStringList{QStringLiteral("Business"), QStringLiteral("VIP")};
        };
        contactTemplate.setDefaults();
        view.resize(240, 294);
        view.show();
        QCoreApplication::processEvents();  // exposed: repaint() paints
    }

    AddressFormatTable formats;
    CardContext context;
    ContactTemplate contactTemplate;
    ContactCardView view{Screen(96, 96)};
};

std::unique_ptr<CardScreen>& cardScreenSlot() {
    static std::unique_ptr<CardScreen> screen;
    return screen;
}

CardScreen& cardScreen() {
    std::unique_ptr<CardScreen>& screen = cardScreenSlot();
    if (screen == nullptr) {
        screen = std::make_unique<CardScreen>();
    }
    return *screen;
}

// The demonstration contact with the most card lines.
const ContactRecord& richestDemoContact() {
    static const ContactRecord richest = [] {
        CardScreen& screen = cardScreen();
        DemoSeed seed(1);
        ContactRecord best;
        qsizetype lines = -1;
        for (int i = 0; i < kDemoContacts; ++i) {
            const ContactRecord contact = seed.nextContact({0, 1, 2});
            const ContactCard card =
                ContactCardBuilder(screen.context).build(contact, screen.contactTemplate);
            if (card.lines.size() > lines) {
                lines = card.lines.size();
                best = contact;
            }
        }
        return best;
    }();
    return richest;
}

void buildAndPaint(benchmark::State& state, const ContactRecord& contact) {
    CardScreen& screen = cardScreen();
    timeIterations(state, [&](int) {
        screen.view.showCard(
            ContactCardBuilder(screen.context).build(contact, screen.contactTemplate), 1);
        screen.view.repaint(screen.view.contentRect());
    });
    state.counters["lines"] = double(screen.view.card().lines.size());
}

void BM_CardRichContact(benchmark::State& state) {
    buildAndPaint(state, test::richContact(QByteArray(1, '\x03')));
}

void BM_CardRichestDemoContact(benchmark::State& state) {
    buildAndPaint(state, richestDemoContact());
}

// The baseline: the built card painted again.
void BM_CardRepaintOnly(benchmark::State& state) {
    CardScreen& screen = cardScreen();
    screen.view.showCard(
        ContactCardBuilder(screen.context)
            .build(test::richContact(QByteArray(1, '\x03')), screen.contactTemplate),
        1);
    timeIterations(state, [&](int) { screen.view.repaint(screen.view.contentRect()); });
}

BENCHMARK(BM_CardRichContact)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CardRichestDemoContact)
    ->UseManualTime()
    ->Iterations(500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CardRepaintOnly)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

}  // namespace

void releaseCardScreen() {
    cardScreenSlot().reset();
}

}  // namespace kontavo::bench
