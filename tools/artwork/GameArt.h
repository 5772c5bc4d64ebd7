#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>
#include <vector>

namespace qw::artwork {

// The kinetic energy window's pictures: the game an arrow of that energy
// suits, as a silhouette against the sky, in five sets from small game to
// the largest. Each set has several frames that change the light, the pose
// and the animal, so the 3-second animation visibly moves.
class GameArt {
public:
    static constexpr int size = 150;

    enum class Species { Rabbit, Turkey, Deer, Doe, Elk, Moose, BlackBear, Bison, Grizzly };
    enum class Pose { Alert, Grazing, Calling };
    enum class Light { Dawn, Day, Dusk };
    enum class Land { Meadow, Woodland, Mountains, Lake, Prairie };

    struct Frame {
        Species species;
        Pose pose;
        Light light;
        bool facingLeft;
    };

    struct Set {
        QString name;  // "SmallImg" ... as the window names the set
        double scale;  // share of the picture width the animal takes
        Land land;
        std::vector<Frame> frames;
    };

    static const std::vector<Set>& sets();

    QImage render(const Set& set, const Frame& frame) const;

private:
    // The animal in its own units: feet on y = 0, facing right.
    std::vector<QPainterPath> animal(Species species, Pose pose) const;
};

} // namespace qw::artwork
