#include "generators/generatorcatalogue.h"

#include <QTest>

namespace {

// List entry | class | caption | idea file, as the generators were designed.
const char *const Expected[] = {
    "Villain Generator|frmVillain|Villains Generator|Villains.txt",
    "Character Generator|frmCharacters|Characters|Characters.txt",
    "Super Ninja Generator|frmNinja|Super Ninja Generator|Ninja.txt",
    "Name Generator|frmName|Name Generator|Name.txt",
    "Furry Generator|frmFurry|Furry Generator|Furry.txt",
    "Government Generator|frmGovernment|Government Generator|Government.txt",
    "Adventure Site Generator|frmAdventure|Adventure Site Generator|Adventure.txt",
    "Lost Civilisation Generator|frmLost|Lost Civilisation Generator|Lost.txt",
    "Pirate Ship Generator|frmPirate|Pirate Ship Generator|Pirate.txt",
    "Planet Name Generator|frmPlanet|Planet Name Generator|Planet.txt",
    "Realm Generator|frmRealm|Realm Generator|Realm.txt",
    "Room/Location Generator|frmLocation|Location Generator|Location.txt",
    "Tavern Generator|frmTavern|Tavern Generator|Tavern.txt",
    "Potion Generator|frmPotion|Potion Description Generator|Potion.txt",
    "Quest Item Generator|frmQuest|Quest Item Generator|Quest.txt",
    "Book Generator|frmBooks|Books Generator|Books.txt",
    "Candy Generator|frmCandy|Candy Generator|Candy.txt",
    "Vehicle Generator|frmVehicles|Vehicle Generator|Vehicles.txt",
    "Sword Generator|frmSwords|Sword Description Generator|Swords.txt",
    "Mixed Drink Generator|frmDrink|Mixed Drink Generator|Drink.txt",
    "Medication Generator|frmMedication|Medication Generator|Medication.txt",
    "Dark Elf Generator|frmDark|Dark Elf Name Generator|Dark.txt",
    "Evil Name Generator|frmEvil|Evil Name Generator|Evil.txt",
    "Evil-Sounding Name Generator|frmEvil2|Evil-Sounding name generator|Evil2.txt",
    "Vampire Name Generator|frmVampire|Vampire Name Generator|Vampire.txt",
    "Monster Generator|frmMonster|Monster Name Generator|Monster.txt",
    "Anime Fanboy Fantasy Fulfiller|frmFanboy|Anime Fanboy Fantasy Fulfiller|Fanboy.txt",
    "Martial Arts Contest Generator|frmContest|Martial Arts Contest Generator|Contest.txt",
    "Substance Generator|frmSubstance|Substance Generator|Substance.txt",
    "Outer Plane Generator|frmOuter|Outer Planes Generator|Outer.txt",
    "Academic Magical Realm Generator|frmAcademic|Academic Magical Realm Generator|Academic.txt",
    "Dark Ritual Generator|frmRitual|Dark Ritual Generator|Ritual.txt",
    "Magical Incovations Generator|frmMagical|Magical Incovation Generator|Magical.txt",
    "Magical Style Generator|frmStyle|Magical Style Generator|Style.txt",
    "Spell Generator|frmSpells|Spell Generator|Spells.txt",
    "Tarrot Card Generator|frmTarrot|Tarrot Card Generator|Tarrot.txt",
    "Magical Items Generator|frmItem|Magical Item Generator|Item.txt",
    "Disease Generator|frmDisease|Disease Generator|Disease.txt",
    "Space Phenomena Generator|frmSpace|Space Phenomena Generator|Space.txt",
    "Currency Generator|frmCurrency|Currency Generator|Currency.txt",
    "Magic Phenomena Generator|frmMagicP|Magic Phenomena Generator|MagicP.txt",
    "Prompts Generator|frmPrompts|Prompts|Prompts.txt",
    "Envisioner|frmEnvisioner|Envisioner|Envisioner.txt",
    "Quick Idea Story Generator|frmIdea|Quick Idea Generator|Idea.txt",
};

} // namespace

class tst_GeneratorCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsAsDesigned();
    void fourGeneratorsHaveAnotherFrame();
};

void tst_GeneratorCatalogue::rowsAsDesigned()
{
    QCOMPARE(GeneratorCatalogue::Entries.size(), std::size(Expected));
    for (std::size_t i = 0; i < std::size(Expected); ++i) {
        const GeneratorEntry &e = GeneratorCatalogue::Entries[i];
        const QString row = QString::fromUtf16(e.listEntry) + u'|' + QString::fromUtf16(e.className) + u'|'
            + QString::fromUtf16(e.caption) + u'|' + QString::fromUtf16(e.ideaFile);
        QCOMPARE(row, QString::fromUtf8(Expected[i]));
    }
}

void tst_GeneratorCatalogue::fourGeneratorsHaveAnotherFrame()
{
    using Frame = Form::Frame;
    QStringList others;
    for (const GeneratorEntry &e : GeneratorCatalogue::Entries) {
        if (e.frame == Frame::FixedToolWindow)
            continue;
        others << QString::fromUtf16(e.className);
        const Frame expected = QStringView(e.className) == u"frmVehicles" ? Frame::FixedDialog
            : QStringView(e.className) == u"frmItem"                       ? Frame::SizableToolWindow
                                                                           : Frame::Sizable;
        QCOMPARE(e.frame, expected);
    }
    QCOMPARE(others, QStringList({QStringLiteral("frmTavern"), QStringLiteral("frmVehicles"),
                                  QStringLiteral("frmVampire"), QStringLiteral("frmItem")}));
}

QTEST_MAIN(tst_GeneratorCatalogue)
#include "tst_generatorcatalogue.moc"
