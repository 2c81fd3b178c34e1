// Carga del modelo desde el archivo nombreArchivo: la secuencia de la carga
// y las listas públicas de etiquetas y ajustes del formato.
#include "input/funcionLeerArchivo.h"

#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

using namespace lectura;

namespace {

std::vector<std::string> listarEtiquetas()
{
    std::vector<std::string> v = {etiquetaNudos, etiquetaBarras};
    for (const claseDeBloque& b : clasesDeBloque) {
        v.push_back(b.etiqueta);
    }
    v.push_back(etiquetaPesoPropio);
    v.push_back(etiquetaCombo);
    for (const ajusteDibujo& a : ajustesDibujo) {
        v.push_back(a.etiqueta);
    }
    return v;
}

std::vector<bloqueFormato> listarBloques()
{
    std::vector<bloqueFormato> v;
    for (const claseDeBloque& b : clasesDeBloque) {
        bloqueFormato f{b.etiqueta, b.conNombre() ? b.nombre : "", {}, {},
                        b.lista == listaDe::nudos ? "nudos" : "barras"};
        for (const campoBloque& campo : b.campos) {
            f.campos.push_back(campo.nombre);
            f.enAyuda.push_back(campo.comoEnAyuda());
        }
        v.push_back(f);
    }
    return v;
}

std::vector<ajusteFormato> listarAjustes()
{
    std::vector<ajusteFormato> v;
    for (const ajusteDibujo& a : ajustesDibujo) {
        v.push_back({a.etiqueta, a.defecto});
    }
    return v;
}

// Las etiquetas que lee una fase: los bloques con lista de su clase y la
// etiqueta propia de la fase (combo: en la de nudos, pesoPropio: en la de barras)
std::vector<const char*> etiquetasDeFase(listaDe lista, const char* propia)
{
    std::vector<const char*> v;
    for (const claseDeBloque& b : clasesDeBloque) {
        if (b.lista == lista) {
            v.push_back(b.etiqueta);
        }
    }
    v.push_back(propia);
    return v;
}

}  // namespace

const std::vector<std::string> etiquetasFormato = listarEtiquetas();
const std::vector<bloqueFormato> bloquesFormato = listarBloques();
const std::vector<ajusteFormato> ajustesFormato = listarAjustes();

void funcionLeerArchivo()
{
    lecturaArchivo c;
    c.etiquetas.insert(etiquetasFormato.begin(), etiquetasFormato.end());
    c.lector.setNombreArchivo(nombreArchivo);
    // Una sola línea por carga cuando el archivo no se puede leer
    if (!c.lector.getArchivoLegible()) {
        std::cout << "Advertencia: no se pudo abrir el archivo " << nombreArchivo
                  << "; se lee como un archivo vacío" << std::endl;
    }

    // Cada mapa de numeración se arma tras su tabla: las barras buscan sus
    // nudos en él, y el de barras ve la memoria que ya ocupa el de nudos
    c.nudos = leerTablaNudos(c);
    noNudos = static_cast<int>(c.nudos.size());
    std::cout << "lectura de nudos OK " << "Num Nudos = " << noNudos << std::endl;
    for (const filaNudo& f : c.nudos) {
        c.mapaNudos.usuarios.push_back(f.usuario);
    }
    if (noNudos != 0) {
        punteroNudos = punteroDeNumeros(c.mapaNudos.usuarios);
    }

    c.barras = leerTablaBarras(c);
    noBarras = static_cast<int>(c.barras.size());
    std::cout << "lectura de barras OK " << "Num Barras = " << noBarras << std::endl;
    for (const filaBarra& f : c.barras) {
        c.mapaBarras.usuarios.push_back(f.usuario);
    }
    if (noBarras != 0) {
        punteroBarras = punteroDeNumeros(c.mapaBarras.usuarios);
    }
    revisarGeometria(c);

    // El modelo se arma de nuevo: lo grabado de antes ya no vale
    nudo.clear();
    barra.clear();
    versionModelo++;
    std::vector<bloqueCombo> combos;
    if (noNudos != 0) {
        faseNudos(c, combos);
    } else {
        avisarBloquesSinFase(c, "nudos", etiquetasDeFase(listaDe::nudos, etiquetaCombo));
    }
    if (noBarras != 0) {
        faseBarras(c, combos);
    } else {
        avisarBloquesSinFase(c, "barras", etiquetasDeFase(listaDe::barras, etiquetaPesoPropio));
    }
    avisarCasos(c);
    leerAjustes(c);
    avisarTokensSinLeer(c);
    c.cerrarAvisos();
}
