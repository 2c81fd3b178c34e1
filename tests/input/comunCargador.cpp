#include "comunCargador.h"

#include <sstream>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "comun/utilidades.h"

std::string resumenModelo()
{
    std::ostringstream os;
    os.precision(17);
    auto num = [&](double v) { os << " " << v + 0.0; };  // -0 como 0
    os << noNudos << " nudos, " << noBarras << " barras, " << noCombos << " combos\n";
    for (objNudo3d& n : nudo) {
        os << "nudo " << n.getNoNudoUsuario();
        num(n.getX());
        num(n.getY());
        num(n.getZ());
        os << " apoyo " << n.getVectorApoyo().transpose();
        for (int c = 0; c < n.getCantidadDeCombos(); c++) {
            os << " | " << n.getNombreCombo(c);
            for (double v : {n.getPxCombo(c), n.getPyCombo(c), n.getPzCombo(c), n.getMxCombo(c),
                             n.getMyCombo(c), n.getMzCombo(c)}) {
                num(v);
            }
        }
        os << "\n";
    }
    for (objBarra3d& b : barra) {
        os << "barra " << b.getNoBarraUsuario() << " " << b.getNudoInicioInterno() << "-"
           << b.getNudoFinalInterno();
        if (b.getBoolSeccion()) {
            os << " " << b.getNombreDeSeccion() << " tipo " << b.getCodigoSeccion();
            for (double v : {b.getArea(), b.getIy(), b.getIz(), b.getModJ(), b.getModE(),
                             b.getModG()}) {
                num(v);
            }
        } else {
            os << " sin sección";
        }
        os << " giro";
        num(b.getAlfaDeg());
        os << " art";
        for (double v : {b.getArtIniY(), b.getArtFinY(), b.getArtIniZ(), b.getArtFinZ()}) {
            num(v);
        }
        std::vector<std::string> combos = b.getEtiquetasCombo();
        for (size_t c = 0; c < combos.size(); c++) {
            int k = static_cast<int>(c);
            os << " | " << combos[c];
            for (double v : {b.getFxIniCombo(k), b.getFxFinCombo(k), b.getFyIniCombo(k),
                             b.getFyFinCombo(k), b.getFzIniCombo(k), b.getFzFinCombo(k),
                             b.getTCombo(k)}) {
                num(v);
            }
        }
        os << "\n";
    }
    os << "precision " << precision;
    for (double v : {escalaTexto, escalaDef, escalaMy, escalaMz, escalaVy, escalaVz, escalaN,
                     escalaT, escalaApoyo, escalaCarga}) {
        num(v);
    }
    return os.str();
}

namespace {

// Lo que da Calcular sobre el modelo cargado: el motivo si no resuelve, o
// los desplazamientos
std::string resultados()
{
    bool resuelto = false;
    capturarSalida([&] { resuelto = funcionSolve(); });
    if (!resuelto) {
        return mensajeAnalisis;
    }
    std::ostringstream os;
    os.precision(17);
    os << u;
    return os.str();
}

}  // namespace

void probar(const std::vector<casoRoto>& casos)
{
    for (const casoRoto& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::string salida = cargar(c.equivalente);
        EXPECT_EQ(avisosDe(salida), std::vector<std::string>{}) << salida;
        std::string esperado = resumenModelo();
        std::string resultadoEsperado = resultados();
        salida = cargar(c.roto);
        EXPECT_EQ(avisosDe(salida), c.lineas) << salida;
        EXPECT_EQ(resumenModelo(), esperado);
        c.verificar();
        EXPECT_EQ(resultados(), resultadoEsperado);
    }
}

void probarAvisos(const std::vector<casoAviso>& casos)
{
    for (const casoAviso& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::string salida = cargar(c.archivo);
        EXPECT_EQ(avisosDe(salida), c.lineas) << salida;
        c.verificar();
    }
}

std::string modelo(const std::string& rectangular, const std::string& extra)
{
    return "nudos: 10 0 0 0 20 4 0 0 30 4 0 3\n"
           "barras: 10 10 20 30 20 30\n"
           "apoyo: 1 1 1 1 1 1 10\n" +
           (rectangular.empty() ? ""
                                : "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 " + rectangular + "\n") +
           "puntual: D 0 0 -10 0 0 0 30\n"
           "combo: ELU 1.2 D\n" +
           extra;
}

objBarra3d& barraUsuario(int u) { return barra[static_cast<size_t>(punteroBarras(u))]; }
objNudo3d& nudoUsuario(int u) { return nudo[static_cast<size_t>(punteroNudos(u))]; }
