#include "card/carditems.h"

#include <QHash>

#include "card/contactcard.h"
#include "card/noteview.h"
#include "card/templategroup.h"
#include "diag/resources.h"
#include "ui/icons.h"
#include "ui/pictureimage.h"

namespace kontavo {

namespace {

// The stock pictures of the contact list's two-line rows.
constexpr int kPersonIcon = 42210;
constexpr int kCompanyIcon = 42211;
constexpr int kHeaderSpacing = 2;

// Icons are decoded once per set: the card is rebuilt at every selection.
QPixmap cachedIcon(int id, const Screen& screen) {
    static QHash<int, QPixmap> cache;
    const int key = screen.isHighResolution() ? -id : id;
    auto found = cache.constFind(key);
    if (found == cache.constEnd()) {
        found = cache.insert(key, loadIconPixmap(id, screen));
    }
    return *found;
}

RichItem headerItem(const ContactCard& card, RichFontCache& cache, const Screen& screen) {
    RichItem item;
    item.kind = RichItemKind::Header;
    item.text = card.header.parse(cache);
    item.type = kGroupName;
    item.owner = -1;
    item.spacing = screen.scaleY(kHeaderSpacing);
    if (card.picture != nullptr) {
        item.picture = QPixmap::fromImage(pictureImage(*card.picture));
        const int frame = screen.scaleX(kPictureFrame);
        QSize size = item.picture.size();
        if (size.width() > frame || size.height() > frame) {
            size = size.scaled(frame, frame, Qt::KeepAspectRatio);
        }
        item.pictureSize = size;
    } else {
        item.picture = cachedIcon(card.companyIcon ? kCompanyIcon : kPersonIcon, screen);
        item.pictureSize = item.picture.size();
    }
    return item;
}

}  // namespace

QList<RichItem> cardItems(const ContactCard& card, RichFontCache& cache, const Screen& screen) {
    QList<RichItem> items;
    if (card.isEmpty()) {
        return items;
    }
    items.reserve(card.lines.size() + 2);
    items.append(headerItem(card, cache, screen));
    for (qsizetype i = 0; i < card.lines.size(); ++i) {
        const CardLine& line = card.lines[i];
        RichItem item;
        item.label = line.label;
        item.text = line.text.parse(cache);
        item.extra = line.extra;
        item.type = line.type;
        item.owner = i;
        if (line.icon != 0) {
            item.picture = cachedIcon(line.icon, screen);
        }
        items.append(item);
    }
    if (!card.note.isEmpty() || card.noteDocument) {
        RichItem note;
        note.kind = RichItemKind::Separator;
        note.label = loadString(kNoteCaptionString);
        note.text = RichMarkup().text(card.note).parse(cache);
        if (card.noteDocument) {
            note.note = std::make_shared<NoteView>(*card.noteDocument, screen);
        }
        note.type = kGroupNotes;
        note.owner = -1;
        items.append(note);
    }
    return items;
}

}  // namespace kontavo
