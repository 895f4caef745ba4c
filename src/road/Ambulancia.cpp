#include "Ambulancia.h"

#include "Constantes.h"
#include "Hardware.h"

// The ambulance enters from the left, below the road, facing right.
Ambulancia::Ambulancia(int paso)
{
    tipo = TipoAmbulancia;
    x = -150;
    y = 448;
    velX = paso;
    velY = 0;
    variante = 1;
    Actualiza();
}

Ambulancia::~Ambulancia()
{
}

bool Ambulancia::Avanza()
{
    x += velX;
    return x > Hardware::AnchoPantalla;
}
