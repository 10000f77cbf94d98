#pragma once

#include "platform/form.h"

#include <QStringView>

#include <array>

// The 44 idea generators: the entry in the main window's generator list, the
// window's class name and caption, and the idea file it draws from, in the
// order the list shows them.
struct GeneratorEntry
{
    const char16_t *listEntry;
    const char16_t *className;
    const char16_t *caption;
    const char16_t *ideaFile;
    Form::Frame frame = Form::Frame::FixedToolWindow;
};

namespace GeneratorCatalogue {

using Frame = Form::Frame;

inline constexpr std::array<GeneratorEntry, 44> Entries = {{
    {u"Villain Generator", u"frmVillain", u"Villains Generator", u"Villains.txt"},
    {u"Character Generator", u"frmCharacters", u"Characters", u"Characters.txt"},
    {u"Super Ninja Generator", u"frmNinja", u"Super Ninja Generator", u"Ninja.txt"},
    {u"Name Generator", u"frmName", u"Name Generator", u"Name.txt"},
    {u"Furry Generator", u"frmFurry", u"Furry Generator", u"Furry.txt"},
    {u"Government Generator", u"frmGovernment", u"Government Generator", u"Government.txt"},
    {u"Adventure Site Generator", u"frmAdventure", u"Adventure Site Generator", u"Adventure.txt"},
    {u"Lost Civilisation Generator", u"frmLost", u"Lost Civilisation Generator", u"Lost.txt"},
    {u"Pirate Ship Generator", u"frmPirate", u"Pirate Ship Generator", u"Pirate.txt"},
    {u"Planet Name Generator", u"frmPlanet", u"Planet Name Generator", u"Planet.txt"},
    {u"Realm Generator", u"frmRealm", u"Realm Generator", u"Realm.txt"},
    {u"Room/Location Generator", u"frmLocation", u"Location Generator", u"Location.txt"},
    {u"Tavern Generator", u"frmTavern", u"Tavern Generator", u"Tavern.txt", Frame::Sizable},
    {u"Potion Generator", u"frmPotion", u"Potion Description Generator", u"Potion.txt"},
    {u"Quest Item Generator", u"frmQuest", u"Quest Item Generator", u"Quest.txt"},
    {u"Book Generator", u"frmBooks", u"Books Generator", u"Books.txt"},
    {u"Candy Generator", u"frmCandy", u"Candy Generator", u"Candy.txt"},
    {u"Vehicle Generator", u"frmVehicles", u"Vehicle Generator", u"Vehicles.txt", Frame::FixedDialog},
    {u"Sword Generator", u"frmSwords", u"Sword Description Generator", u"Swords.txt"},
    {u"Mixed Drink Generator", u"frmDrink", u"Mixed Drink Generator", u"Drink.txt"},
    {u"Medication Generator", u"frmMedication", u"Medication Generator", u"Medication.txt"},
    {u"Dark Elf Generator", u"frmDark", u"Dark Elf Name Generator", u"Dark.txt"},
    {u"Evil Name Generator", u"frmEvil", u"Evil Name Generator", u"Evil.txt"},
    {u"Evil-Sounding Name Generator", u"frmEvil2", u"Evil-Sounding name generator", u"Evil2.txt"},
    {u"Vampire Name Generator", u"frmVampire", u"Vampire Name Generator", u"Vampire.txt", Frame::Sizable},
    {u"Monster Generator", u"frmMonster", u"Monster Name Generator", u"Monster.txt"},
    {u"Anime Fanboy Fantasy Fulfiller", u"frmFanboy", u"Anime Fanboy Fantasy Fulfiller", u"Fanboy.txt"},
    {u"Martial Arts Contest Generator", u"frmContest", u"Martial Arts Contest Generator", u"Contest.txt"},
    {u"Substance Generator", u"frmSubstance", u"Substance Generator", u"Substance.txt"},
    {u"Outer Plane Generator", u"frmOuter", u"Outer Planes Generator", u"Outer.txt"},
    {u"Academic Magical Realm Generator", u"frmAcademic", u"Academic Magical Realm Generator", u"Academic.txt"},
    {u"Dark Ritual Generator", u"frmRitual", u"Dark Ritual Generator", u"Ritual.txt"},
    {u"Magical Incovations Generator", u"frmMagical", u"Magical Incovation Generator", u"Magical.txt"},
    {u"Magical Style Generator", u"frmStyle", u"Magical Style Generator", u"Style.txt"},
    {u"Spell Generator", u"frmSpells", u"Spell Generator", u"Spells.txt"},
    {u"Tarrot Card Generator", u"frmTarrot", u"Tarrot Card Generator", u"Tarrot.txt"},
    {u"Magical Items Generator", u"frmItem", u"Magical Item Generator", u"Item.txt", Frame::SizableToolWindow},
    {u"Disease Generator", u"frmDisease", u"Disease Generator", u"Disease.txt"},
    {u"Space Phenomena Generator", u"frmSpace", u"Space Phenomena Generator", u"Space.txt"},
    {u"Currency Generator", u"frmCurrency", u"Currency Generator", u"Currency.txt"},
    {u"Magic Phenomena Generator", u"frmMagicP", u"Magic Phenomena Generator", u"MagicP.txt"},
    {u"Prompts Generator", u"frmPrompts", u"Prompts", u"Prompts.txt"},
    {u"Envisioner", u"frmEnvisioner", u"Envisioner", u"Envisioner.txt"},
    {u"Quick Idea Story Generator", u"frmIdea", u"Quick Idea Generator", u"Idea.txt"},
}};

} // namespace GeneratorCatalogue
