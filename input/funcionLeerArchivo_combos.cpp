// Combos: pares (factor, caso) de cada bloque combo:, y los casos de carga
// que un combo nombra sin carga o que tienen cargas y ningún combo usa.
#include <iostream>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

std::vector<bloqueCombo> leerCombos(lecturaArchivo& c)
{
    claseLeerArchivo& lector = c.lector;
    std::vector<bloqueCombo> bloques;
    // primer bloque usado de cada nombre: el token de su nombre
    std::unordered_map<std::string, size_t> nombres;
    // casos ya vistos en algún bloque de cada combo
    std::unordered_set<std::string> vistos;
    int m = lector.getNoEtiquetas(etiquetaCombo);
    for (int n = 1; n <= m; n++) {
        corridaLeida r = lector.getCorrida(etiquetaCombo, n, 1, claseCorrida::pares, &c.etiquetas);
        if (r.saltados == 0) {
            std::cout << "Advertencia: el bloque " << n << " de combo: (línea "
                      << lector.getLinea(r.etiqueta)
                      << ") está al final del archivo, sin nombre ni pares (factor, caso); no se "
                         "usa"
                      << std::endl;
            continue;
        }
        size_t tokenNombre = r.etiqueta + 1;
        if (c.esEtiqueta(lector.getTexto(tokenNombre))) {
            c.avisos("combos sin pares (factor, caso)").salida()
                << "Advertencia: el bloque " << n << " de combo: (línea "
                << lector.getLinea(r.etiqueta) << ") no tiene nombre ni pares (factor, caso)"
                << sigueLaEtiqueta(c, tokenNombre) << "; no se usa" << std::endl;
            continue;
        }
        bloqueCombo b{lector.getTexto(tokenNombre), r.valores, r.palabras};
        std::string combo = "Advertencia: el combo " + lector.describir(tokenNombre) + " de combo:";
        bool cortado = finAjeno(c, r);
        std::string fin;
        if (cortado) {
            fin = " termina en " + nombrar(c, r.fin) + noEsNumeroNiEtiqueta;
        } else if (r.motivo == finCorrida::sinPalabra ||
                   r.motivo == finCorrida::etiquetaTrasFactor) {
            // una etiqueta tras el factor abre su propio bloque: nada de él se lee como pares
            fin = " termina en el factor " + lector.describir(r.fin) + ", sin caso" +
                  (r.motivo == finCorrida::sinPalabra ? ", al final del archivo"
                                                      : sigueLaEtiqueta(c, r.fin + 1));
            lector.marcarNombrado(r.fin);
        }
        if (b.casos.empty()) {
            c.avisos("combos sin pares (factor, caso)").salida()
                << combo
                << (fin.empty() ? " no tiene ningún par (factor, caso)"
                                : fin + (cortado ? ", sin pares (factor, caso)" : ""))
                << "; no se usa" << std::endl;
            continue;
        }
        if (!fin.empty()) {
            c.avisos("combos que terminan en un token ajeno").salida()
                << combo << fin << (cortado ? "; lo que sigue no se lee" : "; se omite")
                << std::endl;
        }
        auto primero = nombres.emplace(b.nombre, tokenNombre);
        if (!primero.second) {
            c.avisos("combos que aparecen en más de un bloque combo:").salida()
                << "Advertencia: el combo " << lector.describir(tokenNombre)
                << " aparece en más de un bloque combo:; sus pares se suman al primero "
                   "(línea "
                << lector.getLinea(primero.first->second) << ")" << std::endl;
        }
        // el mismo caso dos veces en el bloque: una línea con sus líneas
        std::map<std::string, std::vector<int>> lineasDeCaso;
        std::vector<std::string> repetidos;
        for (size_t j = 0; j < b.casos.size(); j++) {
            const std::string& caso = b.casos[j];
            if (vistos.insert(b.nombre + '\n' + caso).second) {
                c.pares.push_back({b.nombre, caso, r.tokenPalabra(j)});
            }
            std::vector<int>& lineas = lineasDeCaso[caso];
            lineas.push_back(lector.getLinea(r.tokenPalabra(j)));
            if (lineas.size() == 2) {
                repetidos.push_back(caso);
            }
        }
        for (const std::string& caso : repetidos) {
            const std::vector<int>& lineas = lineasDeCaso[caso];
            c.avisos("casos nombrados más de una vez en un combo").salida()
                << "Advertencia: el combo " << lector.describir(tokenNombre) << " nombra el caso "
                << claseLeerArchivo::citar(caso) << " " << lineas.size() << " veces ("
                << claseLeerArchivo::listaDeLineas(lineas) << "); sus factores se suman"
                << std::endl;
        }
        bloques.push_back(std::move(b));
    }
    c.cerrarAvisos();
    noCombos = static_cast<int>(nombres.size());
    if (noCombos > maxCombosFlags) {
        std::cout << "Advertencia: hay " << noCombos
                  << " combos; el visor solo puede mostrar y cambiar los primeros "
                  << maxCombosFlags << std::endl;
    }
    return bloques;
}

void avisarCasos(lecturaArchivo& c)
{
    std::unordered_set<std::string> usados;
    for (const parDeCombo& p : c.pares) {
        usados.insert(p.caso);
        if (c.casosAplicados.count(p.caso) == 0) {
            c.avisos("casos de combos que ningún bloque de cargas define").salida()
                << "Advertencia: el combo " << claseLeerArchivo::citar(p.combo) << " usa el caso "
                << c.lector.describir(p.token)
                << ", que ningún bloque de cargas define; aporta cero" << std::endl;
        }
    }
    c.cerrarAvisos();
    for (const casoDeCarga& caso : c.casos) {
        if (usados.count(caso.nombre) > 0) {
            continue;
        }
        double v = 0;
        std::ostream& aviso = c.avisos("casos con cargas que ningún combo usa").salida();
        aviso << "Advertencia: el caso " << c.lector.describir(caso.token)
              << " tiene cargas y ningún combo lo usa; no actúa en el análisis";
        if (c.lector.getNumero(caso.token, v)) {
            aviso << " (su nombre es un número: quizás falta el nombre del caso en su bloque)";
        }
        aviso << std::endl;
    }
    c.cerrarAvisos();
}

}  // namespace lectura
