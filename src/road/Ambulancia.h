// The ambulance that crosses the bottom of the screen to fetch the hero.
#ifndef AMBULANCIA_H
#define AMBULANCIA_H

#include "Sprite.h"

class Ambulancia : public Sprite {
public:
    explicit Ambulancia(int paso);
    ~Ambulancia();

    bool Avanza();
};

#endif
