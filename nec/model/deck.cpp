#include "nec/model/deck.hpp"

#include <initializer_list>
#include <string_view>

#include "nec/model/decimal_chars.hpp"

namespace Nec2 {
namespace {

// nec2c reads a line of up to 132 characters as one card; a comment's words
// are wrapped well within that.
constexpr std::size_t kCommentWidth = 120;

// A card's mnemonic and its fields, blank-separated, as one line. An integer
// field must hold no decimal point: nec2c stops at one.
class Card {
 public:
  explicit Card(std::string_view mnemonic) : text_(mnemonic) {}
  Card& integers(std::initializer_list<int> values) {
    for (int value : values) field(std::to_string(value));
    return *this;
  }
  Card& reals(std::initializer_list<double> values) {
    for (double value : values) field(deckNumber(value));
    return *this;
  }
  std::string line() const { return text_ + "\n"; }

 private:
  // Appended in two steps: " " + value would build a temporary that GCC 12's
  // optimiser takes for an overlapping copy (a false -Wrestrict).
  void field(const std::string& value) {
    text_ += ' ';
    text_ += value;
  }

  std::string text_;
};

// The comment cards: each line of the comment, wrapped at blanks.
std::string commentCards(std::string_view comment) {
  std::string cards;
  while (true) {
    std::string_view line = comment.substr(0, comment.find('\n'));
    do {
      std::size_t cut = line.size();
      if (cut > kCommentWidth) {
        cut = line.rfind(' ', kCommentWidth);
        if (cut == std::string_view::npos || cut == 0) cut = kCommentWidth;
      }
      cards += "CM " + std::string(line.substr(0, cut)) + "\n";
      line.remove_prefix(cut);
      if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    } while (!line.empty());
    if (comment.find('\n') == std::string_view::npos) break;
    comment.remove_prefix(comment.find('\n') + 1);
  }
  return cards + "CE\n";
}

// A straight wire (GW), its segments graded by a GC card where they are
// not all alike (the GW card's radius is then 0 and the GC card's holds it).
std::string straightCards(int tag, const Wire& wire) {
  const bool graded = wire.lengthRatio != 1.0;
  std::string cards = Card("GW")
                          .integers({tag, wire.segments})
                          .reals({wire.x1, wire.y1, wire.z1, wire.x2, wire.y2, wire.z2,
                                  graded ? 0.0 : wire.radiusM})
                          .line();
  if (graded) {
    cards +=
        Card("GC").integers({0, 0}).reals({wire.lengthRatio, wire.radiusM, wire.radiusM}).line();
  }
  return cards;
}

// A helix: GH winds it on the z axis from z = 0, starting on the x axis;
// GM turns it and lifts it into place. GM moves the tag it names and every
// segment made after it, so it follows its helix at once, before the next
// wire is made.
std::string helixCards(int tag, const Wire& wire, const Winding& winding) {
  const double radius = winding.coilRadiusM;
  std::string cards =
      Card("GH")
          .integers({tag, wire.segments})
          .reals({winding.pitchM, wire.z2 - wire.z1, radius, radius, radius, radius, wire.radiusM})
          .line();
  cards +=
      Card("GM")
          .integers({0, 0})
          .reals({0.0, 0.0, winding.startDeg, wire.x1, wire.y1, wire.z1, static_cast<double>(tag)})
          .line();
  return cards;
}

std::string geometryCards(const Structure& structure) {
  std::string cards;
  int tag = 0;
  for (const Wire& wire : structure.wires) {
    ++tag;
    cards += wire.winding ? helixCards(tag, wire, *wire.winding) : straightCards(tag, wire);
  }
  const bool perfectGround = structure.ground == Ground::perfect;
  cards += Card("GE").integers({perfectGround ? 1 : 0}).line();
  return cards;
}

std::string loadCards(const Structure& structure) {
  std::string cards;
  for (const SeriesLoad& load : structure.seriesLoads) {
    cards += Card("LD")
                 .integers({0, load.wire, load.segment, load.segment})
                 .reals({load.resistanceOhm, load.inductanceH, 0.0})
                 .line();
  }
  for (const Load& load : structure.loads) {
    cards += Card("LD")
                 .integers({4, load.wire, load.segment, load.segment})
                 .reals({load.resistanceOhm, load.reactanceOhm})
                 .line();
  }
  if (structure.conductivitySPerM) {
    cards += Card("LD").integers({5, 0, 0, 0}).reals({*structure.conductivitySPerM}).line();
  }
  return cards;
}

}  // namespace

std::string deckNumber(double value) { return DecimalChars::general(value, 9); }

std::string deck(const Structure& structure) {
  std::string text = commentCards(structure.comment) + geometryCards(structure);
  if (structure.ground == Ground::perfect) text += Card("GN").integers({1}).line();
  if (structure.extendedKernel) text += Card("EK").integers({0}).line();
  text += loadCards(structure);
  text += Card("EX")
              .integers({0, structure.feed.wire, structure.feed.segment, 0})
              .reals({1.0, 0.0})
              .line();
  const Sweep& sweep = structure.sweep;
  text += Card("FR").integers({0, sweep.count, 0, 0}).reals({sweep.firstMhz, sweep.stepMhz}).line();
  // The report needs no current tables.
  text += "PT -1 0 0 0\nXQ\nEN\n";
  return text;
}

}  // namespace Nec2
