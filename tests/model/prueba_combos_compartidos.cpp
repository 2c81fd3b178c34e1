// Combos de nudos y barras: cada objeto guarda sus combos en su orden de
// llegada aunque los nombres se compartan entre objetos, cada combo suma las
// cargas de su caso que el objeto tiene al recibirlo, y los objetos que
// reciben los mismos combos guardan cada nombre una sola vez.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/zurezar3o.h"
#include "ayuda_barra.h"
#include "comun/utilidades.h"
#include "model/objNudo3d.h"

namespace {

std::vector<std::string> nombres(objNudo3d& n)
{
    std::vector<std::string> v;
    for (int c = 0; c < n.getCantidadDeCombos(); c++) {
        v.push_back(n.getNombreCombo(c));
    }
    return v;
}

using lista = std::vector<std::string>;

// Dirección del texto del combo i: la misma en dos objetos que comparten los
// nombres, distinta si cada uno guarda su copia
template <class Objeto>
const std::string* texto(const Objeto& o, size_t i)
{
    return &o.getNombresCombo()[i];
}

// Cada objeto tiene sus combos con el texto del mismo combo del primero
template <class Objeto>
void mismosTextos(const std::vector<Objeto>& objetos, const objNudo3d& primero,
                  size_t combosEsperados)
{
    for (size_t k = 0; k < objetos.size(); k++) {
        SCOPED_TRACE(k);
        ASSERT_EQ(objetos[k].getNombresCombo().size(), combosEsperados);
        for (size_t i = 0; i < combosEsperados; i++) {
            EXPECT_EQ(texto(objetos[k], i), texto(primero, i)) << i;
        }
    }
}

TEST(CombosCompartidos, CadaNudoConSuOrden)
{
    // en un vector que crece (los nudos se mueven) y con órdenes distintos:
    // el mismo, uno que se aparta después del primero, uno que empieza por
    // otro nombre y uno que sigue más allá
    std::vector<objNudo3d> nudos;
    const std::vector<lista> ordenes = {
        {"X", "Y"}, {"X", "Z"}, {"Y", "X"}, {"X", "Y", "W"}, {"X", "Y"}, {}, {"Z"}};
    for (size_t k = 0; k < ordenes.size(); k++) {
        nudos.emplace_back();
        objNudo3d& n = nudos.back();
        n.setCargaPuntual("D", 1.0 + k, 0, 0, 0, 0, 2.0);
        for (size_t c = 0; c < ordenes[k].size(); c++) {
            // el factor es la posición más uno: el valor dice a qué columna fue
            n.setCombo(ordenes[k][c], static_cast<double>(c + 1), "D");
        }
    }
    for (size_t k = 0; k < ordenes.size(); k++) {
        SCOPED_TRACE(k);
        objNudo3d& n = nudos[k];
        EXPECT_EQ(nombres(n), ordenes[k]);
        for (size_t c = 0; c < ordenes[k].size(); c++) {
            int i = static_cast<int>(c);
            EXPECT_EQ(n.getNumeroDeCombo(ordenes[k][c]), i);
            EXPECT_EQ(n.getPxCombo(i), (c + 1) * (1.0 + k));
            EXPECT_EQ(n.getMzCombo(i), (c + 1) * 2.0);
        }
        EXPECT_EQ(n.getNumeroDeCombo("W"), ordenes[k].size() == 3 ? 2 : -1);
        EXPECT_EQ(n.getNumeroDeCombo("no"), -1);
        EXPECT_EQ(n.getNombreCombo(static_cast<int>(ordenes[k].size())), "");
        EXPECT_EQ(n.getCargasCombo().cols(), static_cast<Eigen::Index>(ordenes[k].size()));
    }
}

TEST(CombosCompartidos, CargasLlegadasDespuesDeUnCombo)
{
    objNudo3d n;
    n.setCargaPuntual("D", 1, 0, 0, 0, 0, 0);
    n.setCombo("C1", 2, "D");
    EXPECT_EQ(n.getPxCombo(0), 2);
    n.setCargaPuntual("L", 0, 5, 0, 0, 0, 0);
    n.setCargaPuntual("D", 3, 0, 0, 0, 0, 0);
    n.setCombo("C2", 1, "D");
    n.setCombo("C2", 0.5, "L");
    n.setCombo("C1", 1, "D");
    // C1 = 2·1 + (1 + 3); C2 = 1 + 3 y 0.5·5
    EXPECT_EQ(n.getPxCombo(0), 6);
    EXPECT_EQ(n.getPxCombo(1), 4);
    EXPECT_EQ(n.getPyCombo(1), 2.5);
    EXPECT_EQ(n.getPyCombo(0), 0);

    // barra: cargas locales y globales del caso, también las llegadas después
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 4, 0, 0);
    b.setDistribuidaLocalY("D", -2, -4);
    b.setCombo("C1", 1.5, "D");
    b.setDistribuidaGlobal("D", 3, 3, 0, 0, -1);
    b.setDistribuidaLocalX("L", 7, 7);
    b.setCombo("C2", 1, "D");
    b.setCombo("C2", 2, "L");
    EXPECT_EQ(b.getEtiquetasCombo(), (lista{"C1", "C2"}));
    EXPECT_EQ(b.getFyIniCombo(0), -3);
    EXPECT_EQ(b.getFyFinCombo(0), -6);
    EXPECT_EQ(b.getFzIniCombo(0), 0);
    // barra sobre X sin giro: la y local es +Z global
    EXPECT_NEAR(b.getFyIniCombo(1), -2 - 3, 1e-15);
    EXPECT_NEAR(b.getFyFinCombo(1), -4 - 3, 1e-15);
    EXPECT_NEAR(b.getFzIniCombo(1), 0, 1e-15);
    EXPECT_EQ(b.getFxIniCombo(1), 14);
    EXPECT_EQ(b.getMatrizCargasCombo().rows(), 2);
    EXPECT_EQ(b.getMatrizCargasCombo()(1, 0), 14);
}

TEST(CombosCompartidos, DiezMilCombosEnVariosObjetos)
{
    std::vector<objBarra3d> barras(3);
    for (objBarra3d& b : barras) {
        b.setDistribuidaLocalZ("D", 1, 1);
    }
    const int n = 10000;
    for (size_t k = 0; k < barras.size(); k++) {
        for (int c = 0; c < n; c++) {
            // la barra 2 los recibe al revés
            int i = k == 2 ? n - 1 - c : c;
            barras[k].setCombo("C" + std::to_string(i), i, "D");
        }
    }
    for (size_t k = 0; k < barras.size(); k++) {
        std::vector<std::string> v = barras[k].getEtiquetasCombo();
        ASSERT_EQ(v.size(), static_cast<size_t>(n));
        for (int c : {0, 1, 4999, n - 1}) {
            int i = k == 2 ? n - 1 - c : c;
            EXPECT_EQ(v[static_cast<size_t>(c)], "C" + std::to_string(i));
            EXPECT_EQ(barras[k].getFzIniCombo(c), i);
        }
    }
}

TEST(CombosCompartidos, UnTextoPorNombreEntreNudosYBarras)
{
    // como el cargador: primero los nudos y después las barras reciben los
    // mismos combos en el mismo orden, cada combo de dos casos, en vectores
    // que crecen (los objetos se mueven)
    const lista combos = {"ELU", "SERV", "SISMO"};
    auto recibir = [&](auto& objeto, size_t cuantos) {
        for (size_t c = 0; c < cuantos; c++) {
            objeto.setCombo(combos[c], 1.2, "D");
            objeto.setCombo(combos[c], 1.6, "L");
        }
    };
    std::vector<objNudo3d> nudos;
    for (int k = 0; k < 6; k++) {
        nudos.emplace_back();
        nudos.back().setCargaPuntual("D", 1.0 + k, 0, 0, 0, 0, 0);
        recibir(nudos.back(), combos.size());
    }
    std::vector<objBarra3d> barras;
    for (int k = 0; k < 6; k++) {
        barras.push_back(ayuda::barraEntre(0, 0, 0, 1.0 + k, 0, 0));
        barras.back().setDistribuidaLocalY("L", -1, -1);
        recibir(barras.back(), combos.size());
    }
    mismosTextos(nudos, nudos[0], combos.size());
    mismosTextos(barras, nudos[0], combos.size());
    EXPECT_EQ(nudos[5].getNombreCombo(2), "SISMO");
    EXPECT_EQ(barras[5].getEtiquetasCombo(), combos);

    // uno que recibe solo los primeros también los comparte
    objNudo3d corto;
    recibir(corto, 2);
    ASSERT_EQ(corto.getCantidadDeCombos(), 2);
    EXPECT_EQ(texto(corto, 0), texto(nudos[0], 0));
    EXPECT_EQ(texto(corto, 1), texto(nudos[0], 1));
}

TEST(CombosCompartidos, UnaListaParaTodoElModeloCargado)
{
    for (const char* archivo : {"porticoCompleto.txt", "ingresoDatos.txt", "vigaContinua.txt"}) {
        SCOPED_TRACE(archivo);
        ASSERT_TRUE(cargarYResolver(archivo));
        ASSERT_GT(noCombos, 1);
        ASSERT_FALSE(nudo.empty());
        mismosTextos(nudo, nudo[0], static_cast<size_t>(noCombos));
        mismosTextos(barra, nudo[0], static_cast<size_t>(noCombos));
    }
    reiniciarModelo();
}

}  // namespace
