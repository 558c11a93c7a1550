// SampleStrings: the translated catalogue texts and the writers of every string form.
#include "sample/SampleStrings.h"

#include <algorithm>
#include <map>

#include "objects/strings/StringSet.h"
#include "platform/ByteWriter.h"
#include "resfile/ResTypes.h"

namespace {

constexpr int kUS = 0, kUK = 1, kFrench = 2, kGerman = 3, kItalian = 4, kSpanish = 5, kDutch = 6;

const std::map<std::string, std::vector<SampleText>>& CatalogTable() {
    static const std::map<std::string, std::vector<SampleText>> table = {
        {"armchair",
         {{kUS, "Armchair", "A deep armchair with a soft cushion. Sit back and relax."},
          {kUK, "Armchair", "A deep armchair with a soft cushion, in a colour to suit any lounge."},
          {kFrench, "Fauteuil", "Un fauteuil profond avec un coussin moelleux."},
          {kGerman, "Sessel", "Ein tiefer Sessel mit weichem Kissen."},
          {kItalian, "Poltrona", "Una poltrona profonda con un cuscino morbido."},
          {kSpanish, "Sillon", "Un sillon hondo con un cojin blando."},
          {kDutch, "Fauteuil", "Een diepe fauteuil met een zacht kussen."}}},
        {"diningtable",
         {{kUS, "Dining Table", "Seats four. Spills wipe right off the polished top."},
          {kUK, "Dining Table", "Seats four. Spills wipe straight off the polished top."},
          {kFrench, "Table de salle a manger", "Quatre places. Le plateau verni s'essuie d'un geste."},
          {kGerman, "Esstisch", "Vier Plaetze. Die polierte Platte ist leicht abzuwischen."},
          {kItalian, "Tavolo da pranzo", "Quattro posti. Il piano lucido si pulisce in un attimo."},
          {kSpanish, "Mesa de comedor", "Cuatro plazas. La superficie pulida se limpia al momento."},
          {kDutch, "Eettafel", "Vier plaatsen. Het gepoetste blad veeg je zo schoon."}}},
        {"archeddoor",
         {{kUS, "Arched Door", "A solid door under a rounded arch, with a brass knob."},
          {kUK, "Arched Door", "A solid door beneath a rounded arch, with a brass knob."},
          {kFrench, "Porte cintree", "Une porte massive sous une arche, avec une poignee en laiton."},
          {kGerman, "Bogentuer", "Eine massive Tuer unter einem Rundbogen, mit Messingknauf."},
          {kItalian, "Porta ad arco", "Una porta massiccia sotto un arco, con pomello in ottone."},
          {kSpanish, "Puerta de arco", "Una puerta maciza bajo un arco, con pomo de laton."}}},
        {"floorlamp",
         {{kUS, "Floor Lamp", "A tall lamp with a fabric shade. Lights up the darkest corner."},
          {kUK, "Standard Lamp", "A tall lamp with a fabric shade. Lights up the darkest corner."},
          {kFrench, "Lampadaire", "Un grand lampadaire a abat-jour en tissu."},
          {kGerman, "Stehlampe", "Eine hohe Lampe mit Stoffschirm."},
          {kItalian, "Lampada da terra", "Una lampada alta con paralume in tessuto."},
          {kSpanish, "Lampara de pie", "Una lampara alta con pantalla de tela."}}},
        {"beanbag",
         {{kUS, "Beanbag", "Shapeless, comfortable and impossible to get out of."},
          {kUK, "Beanbag", "Shapeless, comfy and impossible to get out of."},
          {kFrench, "Pouf poire", "Informe, confortable et impossible a quitter."},
          {kGerman, "Sitzsack", "Formlos, bequem und unmoeglich zu verlassen."},
          {kItalian, "Poltrona a sacco", "Informe, comoda e impossibile da lasciare."}}},
        {"bookshelf",
         {{kUS, "Bookshelf", "Five shelves of reading for rainy afternoons."},
          {kUK, "Bookcase", "Five shelves of reading for rainy afternoons."},
          {kFrench, "Bibliotheque", "Cinq etageres de lecture pour les apres-midi pluvieux."},
          {kGerman, "Buecherregal", "Fuenf Regalbretter Lesestoff fuer Regentage."},
          {kItalian, "Libreria", "Cinque ripiani di letture per i pomeriggi di pioggia."},
          {kSpanish, "Estanteria", "Cinco baldas de lectura para las tardes de lluvia."}}},
        {"counter",
         {{kUS, "Kitchen Counter", "A sturdy counter with room to chop and stir."},
          {kUK, "Worktop", "A sturdy worktop with room to chop and stir."},
          {kFrench, "Plan de travail", "Un plan solide pour couper et remuer."},
          {kGerman, "Arbeitsplatte", "Eine stabile Platte zum Schneiden und Ruehren."},
          {kItalian, "Piano di lavoro", "Un piano robusto per tagliare e mescolare."}}},
        {"stool",
         {{kUS, "Bar Stool", "Perch at the counter for a quick breakfast."},
          {kUK, "Bar Stool", "Perch at the worktop for a quick breakfast."},
          {kFrench, "Tabouret", "Pour un petit dejeuner sur le pouce."},
          {kGerman, "Barhocker", "Fuer ein schnelles Fruehstueck an der Theke."},
          {kItalian, "Sgabello", "Per una colazione veloce al bancone."}}},
        {"pottedplant",
         {{kUS, "Potted Plant", "Green, leafy and forgiving if you forget to water it."},
          {kUK, "Pot Plant", "Green, leafy and forgiving if you forget to water it."},
          {kFrench, "Plante en pot", "Verte, feuillue et indulgente si vous oubliez de l'arroser."},
          {kGerman, "Topfpflanze", "Gruen, buschig und nachsichtig beim Giessen."},
          {kItalian, "Pianta in vaso", "Verde, rigogliosa e paziente se dimentichi di annaffiarla."},
          {kSpanish, "Planta en maceta", "Verde, frondosa y paciente si olvidas regarla."}}},
        {"roundrug",
         {{kUS, "Round Rug", "A round woven rug that ties the room together."},
          {kUK, "Round Rug", "A round woven rug that ties the room together."},
          {kFrench, "Tapis rond", "Un tapis rond tisse qui unifie la piece."},
          {kGerman, "Runder Teppich", "Ein runder gewebter Teppich."},
          {kItalian, "Tappeto rotondo", "Un tappeto rotondo intrecciato."}}},
        {"squarerug",
         {{kUS, "Square Rug", "A square rug with a bold border."},
          {kUK, "Square Rug", "A square rug with a bold border."},
          {kFrench, "Tapis carre", "Un tapis carre a large bordure."},
          {kGerman, "Quadratischer Teppich", "Ein quadratischer Teppich mit breitem Rand."},
          {kSpanish, "Alfombra cuadrada", "Una alfombra cuadrada con un borde llamativo."}}},
        {"sunflower",
         {{kUS, "Sunflower", "It follows the sun, or at least the nearest lamp."},
          {kUK, "Sunflower", "It follows the sun, or at least the nearest lamp."},
          {kFrench, "Tournesol", "Il suit le soleil, ou au moins la lampe la plus proche."},
          {kGerman, "Sonnenblume", "Sie folgt der Sonne, oder wenigstens der naechsten Lampe."},
          {kItalian, "Girasole", "Segue il sole, o almeno la lampada piu vicina."},
          {kDutch, "Zonnebloem", "Volgt de zon, of in elk geval de dichtstbijzijnde lamp."}}},
        {"bones",
         {{kUS, "Bones", "Not for sale."},
          {kUK, "Bones", "Not for sale."},
          {kFrench, "Squelette", "Pas a vendre."},
          {kGerman, "Skelett", "Unverkaeuflich."},
          {kItalian, "Scheletro", "Non in vendita."}}},
    };
    return table;
}

std::vector<uint8_t> Serialize(const StringSet& set) {
    std::vector<uint8_t> out;
    set.SerializeData(out);
    return out;
}

}  // namespace

std::vector<SampleText> GetSampleCatalogTexts(const std::string& key) {
    auto found = CatalogTable().find(key);
    return found == CatalogTable().end() ? std::vector<SampleText>{} : found->second;
}

std::vector<uint8_t> MakeCatalogStringSet(const std::vector<SampleText>& texts) {
    StringSet set;
    set.Bind(nullptr, 0, kTypeCTSS, false, kUS);
    for (const SampleText& t : texts) {
        set.Set(1, t.name, t.language);
        set.Set(2, t.description, t.language);
    }
    return Serialize(set);
}

std::vector<uint8_t> MakeStringTable(const std::vector<std::string>& usEnglish,
                                     const std::vector<std::string>& comments, int otherLanguage,
                                     const std::vector<std::string>& other) {
    StringSet set;
    set.Bind(nullptr, 0, kTypeSTRList, false, kUS);
    for (size_t i = 0; i < usEnglish.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        set.Set(index, usEnglish[i], kUS);
        if (i < comments.size()) set.SetComment(index, comments[i], kUS);
    }
    if (otherLanguage > 0)
        for (size_t i = 0; i < other.size(); ++i) set.Set(static_cast<int>(i) + 1, other[i], otherLanguage);
    return Serialize(set);
}

std::vector<uint8_t> MakeLegacyCatalogStrings(const std::string& name, const std::string& description) {
    std::vector<uint8_t> out(description.begin(), description.end());
    out.push_back(0);
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    return out;
}

std::vector<uint8_t> MakeLegacyTextStrings(const std::vector<std::string>& strings) {
    std::string text;
    for (const std::string& s : strings) text += "^" + s + "^\r\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> MakeLengthPrefixedStrings(const std::vector<std::string>& strings) {
    std::vector<uint8_t> out;
    const auto count = static_cast<uint16_t>(strings.size());
    ByteWriter(out).WriteUInt16BE(count);
    for (const std::string& s : strings) {
        const size_t n = std::min<size_t>(s.size(), 255);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
    }
    return out;
}
