// Every text the game shows, in Spanish and English, fetched by id.
#ifndef MENSAJES_H
#define MENSAJES_H

class Mensajes {
public:
    Mensajes();
    ~Mensajes();
    // Never copied: it owns the text tables.
    Mensajes(const Mensajes&) = delete;
    Mensajes& operator=(const Mensajes&) = delete;

    const char* Leer(int id);

private:
    char** textosEs;
    char** textosEn;
    int cuantos;  // number of ids, 80
    int largo;    // size of one text buffer, 63
    int idioma;
};

#endif
