#include "platform/localetables.h"

#include <utility>

namespace kontavo::localetables {

namespace {

struct LanguageRow {
    QLocale::Language language;
    uint16_t primary;
};

// Primary language ids of the handheld's language numbering.
constexpr LanguageRow kLanguages[] = {
    {QLocale::Arabic, 0x01},     {QLocale::Bulgarian, 0x02},  {QLocale::Catalan, 0x03},
    {QLocale::Chinese, 0x04},    {QLocale::Czech, 0x05},      {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},     {QLocale::Greek, 0x08},      {QLocale::English, 0x09},
    {QLocale::Spanish, 0x0A},    {QLocale::Finnish, 0x0B},    {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},     {QLocale::Hungarian, 0x0E},  {QLocale::Icelandic, 0x0F},
    {QLocale::Italian, 0x10},    {QLocale::Japanese, 0x11},   {QLocale::Korean, 0x12},
    {QLocale::Dutch, 0x13},      {QLocale::NorwegianBokmal, 0x14},
    {QLocale::Polish, 0x15},     {QLocale::Portuguese, 0x16}, {QLocale::Romanian, 0x18},
    {QLocale::Russian, 0x19},    {QLocale::Croatian, 0x1A},   {QLocale::Slovak, 0x1B},
    {QLocale::Albanian, 0x1C},   {QLocale::Swedish, 0x1D},    {QLocale::Thai, 0x1E},
    {QLocale::Turkish, 0x1F},    {QLocale::Indonesian, 0x21}, {QLocale::Ukrainian, 0x22},
    {QLocale::Belarusian, 0x23}, {QLocale::Slovenian, 0x24},  {QLocale::Estonian, 0x25},
    {QLocale::Latvian, 0x26},    {QLocale::Lithuanian, 0x27}, {QLocale::Vietnamese, 0x2A},
    {QLocale::Macedonian, 0x2F}, {QLocale::Kazakh, 0x3F},
};

struct SublanguageRow {
    QLocale::Language language;
    QLocale::Territory territory;
    uint16_t lcid;
};

// Locales whose language id is not primary | SUBLANG_DEFAULT.
constexpr SublanguageRow kSublanguages[] = {
    {QLocale::English, QLocale::UnitedKingdom, 0x0809},
    {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},
    {QLocale::English, QLocale::NewZealand, 0x1409},
    {QLocale::English, QLocale::Ireland, 0x1809},
    {QLocale::English, QLocale::SouthAfrica, 0x1C09},
    {QLocale::German, QLocale::Switzerland, 0x0807},
    {QLocale::German, QLocale::Austria, 0x0C07},
    {QLocale::German, QLocale::Luxembourg, 0x1007},
    {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::French, QLocale::Canada, 0x0C0C},
    {QLocale::French, QLocale::Switzerland, 0x100C},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A},
    {QLocale::Spanish, QLocale::Mexico, 0x080A},
    {QLocale::Spanish, QLocale::Argentina, 0x2C0A},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816},
    {QLocale::Chinese, QLocale::China, 0x0804},
    {QLocale::Chinese, QLocale::HongKong, 0x0C04},
    {QLocale::Chinese, QLocale::Singapore, 0x1004},
    {QLocale::Italian, QLocale::Switzerland, 0x0810},
    {QLocale::Dutch, QLocale::Belgium, 0x0813},
    {QLocale::Swedish, QLocale::Finland, 0x081D},
};

struct CountryRow {
    QLocale::Territory territory;
    int code;
};

// Telephone country codes, the numbering the handheld's regional settings use.
constexpr CountryRow kCountries[] = {
    {QLocale::UnitedStates, 1},    {QLocale::Canada, 2},          {QLocale::Russia, 7},
    {QLocale::Kazakhstan, 7},      {QLocale::Egypt, 20},          {QLocale::SouthAfrica, 27},
    {QLocale::Greece, 30},         {QLocale::Netherlands, 31},    {QLocale::Belgium, 32},
    {QLocale::France, 33},         {QLocale::Spain, 34},          {QLocale::Hungary, 36},
    {QLocale::Italy, 39},          {QLocale::Romania, 40},        {QLocale::Switzerland, 41},
    {QLocale::Austria, 43},        {QLocale::UnitedKingdom, 44},  {QLocale::Denmark, 45},
    {QLocale::Sweden, 46},         {QLocale::Norway, 47},         {QLocale::Poland, 48},
    {QLocale::Germany, 49},        {QLocale::Peru, 51},           {QLocale::Mexico, 52},
    {QLocale::Argentina, 54},      {QLocale::Brazil, 55},         {QLocale::Chile, 56},
    {QLocale::Colombia, 57},       {QLocale::Venezuela, 58},      {QLocale::Malaysia, 60},
    {QLocale::Australia, 61},      {QLocale::Indonesia, 62},      {QLocale::Philippines, 63},
    {QLocale::NewZealand, 64},     {QLocale::Singapore, 65},      {QLocale::Thailand, 66},
    {QLocale::Japan, 81},          {QLocale::SouthKorea, 82},     {QLocale::Vietnam, 84},
    {QLocale::China, 86},          {QLocale::Turkey, 90},         {QLocale::India, 91},
    {QLocale::Pakistan, 92},       {QLocale::Iran, 98},           {QLocale::Morocco, 212},
    {QLocale::Algeria, 213},       {QLocale::Tunisia, 216},       {QLocale::Nigeria, 234},
    {QLocale::Kenya, 254},         {QLocale::Portugal, 351},      {QLocale::Luxembourg, 352},
    {QLocale::Ireland, 353},       {QLocale::Iceland, 354},       {QLocale::Albania, 355},
    {QLocale::Cyprus, 357},        {QLocale::Finland, 358},       {QLocale::Bulgaria, 359},
    {QLocale::Lithuania, 370},     {QLocale::Latvia, 371},        {QLocale::Estonia, 372},
    {QLocale::Belarus, 375},       {QLocale::Ukraine, 380},       {QLocale::Serbia, 381},
    {QLocale::Croatia, 385},       {QLocale::Slovenia, 386},      {QLocale::Macedonia, 389},
    {QLocale::CzechRepublic, 420}, {QLocale::Slovakia, 421},      {QLocale::HongKong, 852},
    {QLocale::Taiwan, 886},        {QLocale::Lebanon, 961},       {QLocale::Jordan, 962},
    {QLocale::Syria, 963},         {QLocale::Kuwait, 965},        {QLocale::SaudiArabia, 966},
    {QLocale::Yemen, 967},         {QLocale::Oman, 968},          {QLocale::Israel, 972},
    {QLocale::Bahrain, 973},       {QLocale::Qatar, 974},         {QLocale::UnitedArabEmirates, 971},
};

}  // namespace

uint16_t languageId(const QLocale& locale) {
    for (const auto& row : kSublanguages) {
        if (row.language == locale.language() && row.territory == locale.territory()) {
            return row.lcid;
        }
    }
    for (const auto& row : kLanguages) {
        if (row.language == locale.language()) {
            return uint16_t((1 << 10) | row.primary);
        }
    }
    return 0x0409;
}

int countryCode(QLocale::Territory territory) {
    for (const auto& row : kCountries) {
        if (row.territory == territory) {
            return row.code;
        }
    }
    return 0;
}

int ansiCodePage(uint16_t primaryLanguage) {
    switch (primaryLanguage) {
        case 0x02: case 0x19: case 0x22: case 0x23: case 0x2F: case 0x3F:
            return 1251;
        case 0x05: case 0x0E: case 0x15: case 0x18: case 0x1A: case 0x1B: case 0x1C: case 0x24:
            return 1250;
        case 0x08:
            return 1253;
        case 0x1F:
            return 1254;
        case 0x0D:
            return 1255;
        case 0x01:
            return 1256;
        case 0x25: case 0x26: case 0x27:
            return 1257;
        case 0x2A:
            return 1258;
        case 0x1E:
            return 874;
        case 0x11:
            return 932;
        case 0x12:
            return 949;
        default:
            return 1252;
    }
}

}  // namespace kontavo::localetables
