// Fases de nudos y de barras: objetos, bloques en su orden fijo, peso propio
// y combos.
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

objNudo3d& nudoDeFila(int f) { return nudo[static_cast<size_t>(f)]; }
objBarra3d& barraDeFila(int f) { return barra[static_cast<size_t>(f)]; }

// Peso propio: a todas las barras, en el caso de su nombre
void leerPesoPropio(lecturaArchivo& c)
{
    std::vector<size_t> apariciones = c.lector.getApariciones(etiquetaPesoPropio);
    if (apariciones.empty()) {
        std::cout << "No se calculará el peso propio de la estructura" << std::endl;
        return;
    }
    if (apariciones.size() > 1) {
        std::cout << "No usar la etiqueta *pesoPropio:* más de una vez" << std::endl;
        for (size_t t : apariciones) {
            c.lector.marcarNombrado(t);
        }
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

    // los códigos ya son 0 o 1
    auto apoyo = [](int f, const std::string&, const std::vector<double>& v) {
        nudoDeFila(f).setApoyo(static_cast<int>(v[0]), static_cast<int>(v[1]),
                               static_cast<int>(v[2]), static_cast<int>(v[3]),
                               static_cast<int>(v[4]), static_cast<int>(v[5]));
    };
    if (aplicarBloques(c, bloqueApoyo, apoyo) > 0) {
        std::cout << "transferencia de apoyos a nudo[i] OK" << std::endl;
    }

    auto puntual = [](int f, const std::string& caso, const std::vector<double>& p) {
        nudoDeFila(f).setCargaPuntual(caso, p[0], p[1], p[2], p[3], p[4], p[5]);
    };
    if (aplicarBloques(c, bloquePuntual, puntual) > 0) {
        std::cout << "transferencia de cargas puntuales a nudo[i] OK" << std::endl;
    }

    combos = leerCombos(c);
    if (noCombos != 0) {
        aplicarCombos(nudo, combos);
        std::cout << "transferencia de combos a nudo[i] OK" << std::endl;
    }
}

void faseBarras(lecturaArchivo& c, const std::vector<bloqueCombo>& combos)
{
    barra.resize(c.barras.size());
    for (size_t r = 0; r < c.barras.size(); r++) {
        const filaBarra& f = c.barras[r];
        objBarra3d& b = barra[r];
        objNudo3d& ni = nudoDeFila(f.inicio);
        objNudo3d& nj = nudoDeFila(f.fin);
        b.resetFlags();
        b.setNoBarraUsuario(f.usuario);
        b.setNoBarraInterna(punteroBarras(f.usuario));
        b.setNudoInicio(f.inicio, ni.getX(), ni.getY(), ni.getZ());
        b.setNudoFinal(f.fin, nj.getX(), nj.getY(), nj.getZ());
    }
    std::cout << "transferencia de coord a barra[i] OK" << std::endl;

    leerSecciones(c);

    aplicarBloques(c, bloqueRotacion, [](int f, const std::string&, const std::vector<double>& v) {
        barraDeFila(f).setRotacion(v[0]);
    });

    aplicarBloques(c, bloqueLocalX,
                   [](int f, const std::string& caso, const std::vector<double>& v) {
                       barraDeFila(f).setDistribuidaLocalX(caso, v[0], v[1]);
                   });
    aplicarBloques(c, bloqueLocalY,
                   [](int f, const std::string& caso, const std::vector<double>& v) {
                       barraDeFila(f).setDistribuidaLocalY(caso, v[0], v[1]);
                   });
    aplicarBloques(c, bloqueLocalZ,
                   [](int f, const std::string& caso, const std::vector<double>& v) {
                       barraDeFila(f).setDistribuidaLocalZ(caso, v[0], v[1]);
                   });
    aplicarBloques(c, bloqueLocalT,
                   [](int f, const std::string& caso, const std::vector<double>& v) {
                       barraDeFila(f).setDistribuidaLocalT(caso, v[0]);
                   });
    aplicarBloques(c, bloqueGlobal,
                   [](int f, const std::string& caso, const std::vector<double>& v) {
                       barraDeFila(f).setDistribuidaGlobal(caso, v[0], v[1], v[2], v[3], v[4]);
                   });

    aplicarBloques(c, bloqueArticulacion,
                   [](int f, const std::string&, const std::vector<double>& v) {
                       barraDeFila(f).setArticulacion(v[0], v[1], v[2], v[3]);
                   });

    leerPesoPropio(c);

    if (noCombos != 0) {
        aplicarCombos(barra, combos);
    }
}

}  // namespace lectura
