// Fases de nudos y de barras: objetos, bloques en su orden fijo, peso propio
// y combos. El orden de los pasos se dice aquí y solo aquí.
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

// Los bloques de las clases de una fase, en el orden de la tabla de clases;
// devuelve cuántos bloques tienen
int aplicarFase(lecturaArchivo& c, faseBloque fase)
{
    int bloques = 0;
    for (const claseDeBloque& clase : clasesDeBloque) {
        if (clase.fase == fase) {
            bloques += aplicarBloques(c, clase);
        }
    }
    return bloques;
}

// Peso propio: a todas las barras, en el caso de su nombre
void leerPesoPropio(lecturaArchivo& c)
{
    int apariciones = c.lector.getNoEtiquetas(etiquetaPesoPropio);
    if (apariciones == 0) {
        std::cout << "No se calculará el peso propio de la estructura" << std::endl;
        return;
    }
    if (apariciones > 1) {
        std::cout << "No usar la etiqueta *pesoPropio:* más de una vez" << std::endl;
        c.lector.getApariciones(etiquetaPesoPropio);  // quedan nombradas por esta línea
        return;
    }
    corridaLeida r = c.lector.getCorrida(etiquetaPesoPropio, 1, 1, claseCorrida::numeros);
    std::string caso = r.saltados == 1 ? c.lector.getTexto(r.etiqueta + 1) : "";
    // sin nombre no hay caso que un combo pueda usar
    if (caso.empty() || c.esEtiqueta(caso)) {
        std::cout << "Advertencia: pesoPropio: (línea " << c.lector.getLinea(r.etiqueta)
                  << ") no tiene nombre de caso"
                  << (caso.empty() ? ", al final del archivo" : sigueLaEtiqueta(c, r.etiqueta + 1))
                  << "; no se aplica el peso propio" << std::endl;
        return;
    }
    if (!r.valores.empty()) {
        std::string lista;
        for (size_t t = r.primero; t < r.fin; t++) {
            lista += (lista.empty() ? "" : " ") + c.lector.getTexto(t);
        }
        std::cout << "Advertencia: pesoPropio: (línea " << c.lector.getLinea(r.etiqueta)
                  << ") da peso propio a todas las barras; la lista "
                  << claseLeerArchivo::citar(lista) << " (línea " << c.lector.getLinea(r.primero)
                  << ") no se usa" << std::endl;
    }
    for (objBarra3d& b : barra) {
        b.setPesoPropio(caso);
    }
    c.anotarCaso(caso, r.saltados == 1 ? r.etiqueta + 1 : r.etiqueta);
    std::cout << "Lectura de pesoPropio ---> OK" << std::endl;
}

}  // namespace

void faseNudos(lecturaArchivo& c, std::vector<bloqueCombo>& combos)
{
    nudo.resize(c.nudos.size());
    for (size_t r = 0; r < c.nudos.size(); r++) {
        const filaNudo& f = c.nudos[r];
        nudo[r].setNoNudoUsuario(f.usuario);
        nudo[r].setNoNudoInterno(punteroNudos(f.usuario));
        nudo[r].setCoordenadas(f.x, f.y, f.z);
    }
    if (aplicarFase(c, faseBloque::apoyos) > 0) {
        std::cout << "transferencia de apoyos a nudo[i] OK" << std::endl;
    }
    if (aplicarFase(c, faseBloque::puntuales) > 0) {
        std::cout << "transferencia de cargas puntuales a nudo[i] OK" << std::endl;
    }
    combos = leerCombos(c);
    if (noCombos != 0) {
        aplicarCombos(nudo, combos);
        std::cout << "transferencia de combos a nudo[i] OK" << std::endl;
    }
}

// Las fases de las barras, en este orden: la sección antes del peso propio
// (que es área por peso específico), el giro antes de las cargas globales y
// del peso propio (que se proyectan sobre los ejes locales que el giro
// mueve), y los combos al final, sobre todas las cargas
void faseBarras(lecturaArchivo& c, const std::vector<bloqueCombo>& combos)
{
    barra.resize(c.barras.size());
    for (size_t r = 0; r < c.barras.size(); r++) {
        const filaBarra& f = c.barras[r];
        objBarra3d& b = barra[r];
        objNudo3d& ni = nudo[static_cast<size_t>(f.inicio)];
        objNudo3d& nj = nudo[static_cast<size_t>(f.fin)];
        b.resetFlags();
        b.setNoBarraUsuario(f.usuario);
        b.setNoBarraInterna(punteroBarras(f.usuario));
        b.setNudoInicio(f.inicio, ni.getX(), ni.getY(), ni.getZ());
        b.setNudoFinal(f.fin, nj.getX(), nj.getY(), nj.getZ());
    }
    std::cout << "transferencia de coord a barra[i] OK" << std::endl;

    leerSecciones(c);
    aplicarFase(c, faseBloque::giros);
    aplicarFase(c, faseBloque::distribuidas);
    aplicarFase(c, faseBloque::articulaciones);
    leerPesoPropio(c);
    if (noCombos != 0) {
        aplicarCombos(barra, combos);
    }
}

}  // namespace lectura
