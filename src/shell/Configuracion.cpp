#include "Configuracion.h"

#include <cstddef>

#include "Archivo.h"

namespace {

const char* const ArchivoConfig = "zumbelo.cfg";
const int BytesConfig = 5;
const int SpeedMax = 6;

// The file keeps the fields in this order, not in the class's.
enum { PosIdioma, PosSonido, PosSet, PosWindowed, PosSpeed };

}  // namespace

Configuracion::Configuracion()
    : idioma(0), set(0), speed(0), sonido(true), windowed(false)
{
    unsigned char b[BytesConfig] = {0, 0, 0, 0, 0};
    size_t leidos = 0;
    Archivo archivo(ArchivoConfig);
    const int estado = archivo.Lee(b, BytesConfig, leidos);
    // Only a missing file is made; something there that cannot be read
    // (a link, a pipe, a directory, a file the player may not read) is left alone
    // and the defaults stand until the player changes a setting.
    if (estado == Archivo::Falta) Save();
    if (estado != Archivo::Leido) return;

    // A short or damaged file keeps the defaults for what it lacks and is
    // written again whole; a sound file is left as it is.
    bool reparado = leidos < static_cast<size_t>(BytesConfig);
    const int valIdioma = b[PosIdioma];
    const int valSet = b[PosSet];
    const int valSpeed = b[PosSpeed];

    if (leidos > PosIdioma && (valIdioma == 0 || valIdioma == 1)) idioma = valIdioma;
    else reparado = true;
    if (leidos > PosSonido) sonido = b[PosSonido] != 0;
    if (leidos > PosSet && (valSet == 0 || valSet == 1)) set = valSet;
    else reparado = true;
    if (leidos > PosWindowed) windowed = b[PosWindowed] != 0;
    if (leidos > PosSpeed && valSpeed >= 0 && valSpeed <= SpeedMax) speed = valSpeed;
    else reparado = true;

    if (reparado) Save();
}

Configuracion::~Configuracion()
{
}

int Configuracion::Save()
{
    unsigned char b[BytesConfig];
    b[PosIdioma] = static_cast<unsigned char>(idioma & 0xFF);
    b[PosSonido] = sonido ? 1 : 0;
    b[PosSet] = static_cast<unsigned char>(set & 0xFF);
    b[PosWindowed] = windowed ? 1 : 0;
    b[PosSpeed] = static_cast<unsigned char>(speed & 0xFF);
    // The whole file or nothing: a failed save leaves the last one in place.
    Archivo archivo(ArchivoConfig);
    return archivo.Graba(b, BytesConfig);
}

void Configuracion::ToggleIdioma()
{
    idioma = (idioma == 0) ? 1 : 0;
    Save();
}

void Configuracion::ToggleSonido()
{
    sonido = !sonido;
    Save();
}

void Configuracion::ToggleWindowed()
{
    windowed = !windowed;
    Save();
}

void Configuracion::ToggleSet()
{
    set++;
    if (set > 1) set = 0;
    Save();
}

void Configuracion::SetSpeed()
{
    speed++;
    if (speed > SpeedMax) speed = 0;
    Save();
}

bool Configuracion::VerWindowed()
{
    return windowed;
}

bool Configuracion::VerSonido()
{
    return sonido;
}

int Configuracion::VerIdioma()
{
    return idioma;
}

int Configuracion::VerSpeed()
{
    return speed;
}

int Configuracion::SetGraf()
{
    return set;
}
