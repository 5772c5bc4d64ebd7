#include "BannerCatalogue.h"

namespace qw::artwork {

namespace {
using Shaft = ArrowStyle::Shaft;
using Point = ArrowStyle::Point;

BannerProduct product(QString name, QString material, QStringList slogans, QStringList spines,
                      Shaft shaft, Point point)
{
    return BannerProduct{
        std::move(name), std::move(material), std::move(slogans), std::move(spines), shaft, point};
}
} // namespace

const BannerProduct& BannerFamily::productForFrame(int frame) const
{
    const auto index =
        static_cast<std::size_t>(frame) * products.size() / static_cast<std::size_t>(frameCount);
    return products.at(index);
}

const std::vector<BannerFamily>& BannerCatalogue::families()
{
    static const std::vector<BannerFamily> all = {hunting(), target(), youth(), kavel()};
    return all;
}

BannerFamily BannerCatalogue::hunting()
{
    BannerFamily family{"hunt", "NORVANE", QColor(136, 191, 61), QColor(10, 14, 6), 20, {}};
    family.products = {
        product("Ridgeline", "Carbon hunting shaft",
                {"Straight off the string, every string.", "Built for the long walk in."},
                {"340", "400", "500"}, Shaft::Carbon, Point::Broadhead),
        product("Ironbark", "Aluminium core, carbon skin",
                {"Heavy hitting, deep pass-through.", "A tough core under carbon."},
                {"300", "340", "400"}, Shaft::Carbon, Point::Broadhead),
        product("Fernwood", "7075 aluminium",
                {"Quiet flight through the timber.", "Light, fast and forgiving."},
                {"2117", "2213", "2315"}, Shaft::Aluminium, Point::Field),
        product("Longshadow", "Carbon hunting shaft",
                {"Flat out to forty yards.", "Tuned for fixed-blade heads."}, {"300", "350", "400"},
                Shaft::Carbon, Point::Broadhead),
        product("Greystone", "Hard-anodised aluminium",
                {"Stands up to rocky ground.", "Straight to two thousandths."},
                {"2216", "2315", "2413"}, Shaft::Aluminium, Point::Broadhead),
        product("Stillwater", "Matte carbon",
                {"Made for the patient hunter.", "Low-glare finish, quiet draw."},
                {"340", "400", "500"}, Shaft::Carbon, Point::Field),
        product("Windfall", "Lightweight aluminium",
                {"Lightest and fastest of the line.", "For open-country shots."},
                {"2013", "2114", "2213"}, Shaft::Aluminium, Point::Field),
        product("Highmark", "Aluminium/carbon",
                {"Weight forward for true flight.", "Matched by the dozen."}, {"300", "340", "400"},
                Shaft::Carbon, Point::Broadhead),
        product("Thornback", "Carbon hunting shaft",
                {"Tough through brush and bone.", "Ask at the counter for spine."},
                {"350", "400", "450"}, Shaft::Carbon, Point::Broadhead),
        product("Emberline", "Carbon with bright crest",
                {"Bright crest, easy recovery.", "Find every arrow at dusk."},
                {"340", "400", "500"}, Shaft::Carbon, Point::Field),
    };
    return family;
}

BannerFamily BannerCatalogue::target()
{
    BannerFamily family{"targ", "NORVANE", QColor(245, 123, 32), QColor(20, 8, 0), 16, {}};
    family.products = {
        product("Pinnacle", "Barrelled carbon target shaft",
                {"Groups that hold at seventy metres.", "Barrelled for the long line."},
                {"500", "570", "620"}, Shaft::Carbon, Point::Field),
        product("Meridian", "Large-diameter indoor shaft",
                {"Big shafts for line-cutters.", "Indoor-sized, outdoor-true."},
                {"2312", "2412", "2512"}, Shaft::Aluminium, Point::Field),
        product("Aurelia", "Precision aluminium",
                {"Gold-ring consistency.", "Weight-matched within a grain."},
                {"1816", "1916", "2016"}, Shaft::Aluminium, Point::Field),
        product("Tenring", "Carbon target shaft",
                {"Every arrow a ten.", "Spine-indexed for easy tuning."}, {"450", "500", "600"},
                Shaft::Carbon, Point::Field),
        product("Halcyon", "Slim-line carbon",
                {"Calm flight in a crosswind.", "Slim profile, less drift."}, {"570", "620", "700"},
                Shaft::Carbon, Point::Field),
        product("Verity", "Aluminium/carbon",
                {"True to its spine, shot after shot.", "Straightness you can measure."},
                {"410", "470", "540"}, Shaft::Carbon, Point::Field),
        product("Skylark", "Light carbon",
                {"Light for the long distances.", "Made for the club's best."},
                {"620", "700", "800"}, Shaft::Carbon, Point::Field),
        product("Longbrook", "Club aluminium",
                {"A classic on the club line.", "Aluminium that lasts seasons."},
                {"1714", "1814", "1914"}, Shaft::Aluminium, Point::Field),
    };
    return family;
}

BannerFamily BannerCatalogue::youth()
{
    BannerFamily family{"youth", "NORVANE", QColor(245, 123, 32), QColor(20, 8, 0), 10, {}};
    family.products = {
        product("Fledgling", "Youth aluminium",
                {"Sized for first bows.", "Bright crest, easy to find."}, {"1416", "1516", "1616"},
                Shaft::Aluminium, Point::Field),
        product("Firstflight", "Youth carbon",
                {"Start them shooting straight.", "Light shafts for light bows."},
                {"1000", "900", "800"}, Shaft::Carbon, Point::Field),
        product("Scout", "Camp aluminium",
                {"Built for camp and club.", "Tough enough for every lesson."},
                {"1516", "1616", "1716"}, Shaft::Aluminium, Point::Field),
        product("Trailhead", "Youth hunting shaft",
                {"Their first hunt starts here.", "Youth spines, full quality."},
                {"600", "700", "800"}, Shaft::Carbon, Point::Broadhead),
        product("Camp Classic", "Class-pack aluminium",
                {"A quiver-full for the class.", "Crested by length."}, {"1416", "1516", "1616"},
                Shaft::Aluminium, Point::Field),
    };
    return family;
}

BannerFamily BannerCatalogue::kavel()
{
    BannerFamily family{"kavl", "KAVEL", QColor(164, 78, 45), QColor(255, 255, 255), 7, {}};
    family.products = {
        product("Trail", "Kavel carbon", {"Honest arrows for the trail."}, {"340", "400", "500"},
                Shaft::Carbon, Point::Broadhead),
        product("Hollow", "Kavel woods carbon", {"Woods-tough carbon."}, {"300", "340", "400"},
                Shaft::Carbon, Point::Field),
        product("Drover", "Kavel heavy hunter", {"Heavy shafts for big game."},
                {"250", "300", "340"}, Shaft::Carbon, Point::Broadhead),
        product("Woodsman", "Kavel traditional", {"Traditional looks, modern flight."},
                {"400", "500", "600"}, Shaft::Carbon, Point::Field),
        product("Harrow", "Kavel micro-diameter", {"Slim shaft, deep penetration."},
                {"300", "350", "400"}, Shaft::Carbon, Point::Broadhead),
        product("Ashgrove", "Kavel stick-bow shaft", {"Built for stick bows."},
                {"500", "600", "700"}, Shaft::Carbon, Point::Field),
        product("Stoneridge", "Kavel aluminium", {"Straight from the Kavel shop."},
                {"2117", "2216", "2315"}, Shaft::Aluminium, Point::Field),
    };
    return family;
}

} // namespace qw::artwork
