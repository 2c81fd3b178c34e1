// Línea de comandos: respuestas de Enter, preguntas de combo y aislar,
// teclas de escala, conmutadores con Alt y salida del programa.
#include <cmath>
#include <map>

#include "viewer/prueba_teclado_comun.h"

using namespace teclado_prueba;

namespace {

const std::string ingrese = "Ingrese Comando:";
const std::string pregCombo = "Escriba el nombre del Combo y presione ENTER:";
const std::string pregAislar = "Escriba lista de barras a aislar separadas por espacios:";
const std::string comboNoExiste = "el combo no existe. Ingrese Comando:";
const std::string comboOk = "Combo Activado/Desactivado, OK. Ingrese Comando:";
const std::string listaInvalida =
    "Existen valores no válidos en la lista de barras.  Ingrese Comando:";

class Teclado : public EstadoVisorTest {
protected:
    void SetUp() override
    {
        EstadoVisorTest::SetUp();
        cargarModelo(modeloPortico);
    }
};

struct CasoEnter {
    std::vector<std::string> lineas;
    std::string respuesta;
    std::map<int, int> flagsCambiados;  // índice -> valor esperado
    int comboCoincidente = -1;
    bool todoVisible = true;  // vectores de aislamiento intactos
};

TEST_F(Teclado, RespuestasDeEnterEnSuOrden)
{
    const std::vector<CasoEnter> casos = {
        {{"plotEjes"}, ingrese, {{flagEjes, 2}}},
        {{"tagNudos"}, ingrese, {{flagTagNudos, 1}}},
        {{"tagBarras"}, ingrese, {{flagTagBarras, 1}}},
        {{"secciones"}, ingrese, {{flagSecciones, 1}}},
        {{"plotVolumen"}, ingrese, {{flagVolumen, 1}}},
        {{"tagNudos", "tagBarras", "secciones", "noTags"}, ingrese, {}},
        {{"plotDef"}, "Deformaciones Activadas. Ingrese Comando:", {{flagDeformada, 1}}},
        {{"plotDef", "plotDef"}, "Deformaciones Desactivadas. Ingrese Comando:", {{flagDeformada, 2}}},
        {{"plotN"}, "Fuerzas Axiales Activadas. Ingrese Comando:", {{flagAxial, 1}}},
        {{"plotN", "plotN"}, "Fuerzas Axiales Desactivadas. Ingrese Comando:", {{flagAxial, 2}}},
        {{"plotVy"}, "Fuerzas Cortantes Y Activadas. Ingrese Comando:", {{flagCortanteY, 1}}},
        {{"plotVy", "plotVy"}, "Fuerzas Cortantes Y Desactivadas. Ingrese Comando:", {{flagCortanteY, 2}}},
        {{"plotMy"}, "Momentos Flectores Y Activados. Ingrese Comando:", {{flagMomentoY, 1}}},
        {{"plotMy", "plotMy"}, "Momentos Flectores Y Desactivados. Ingrese Comando:", {{flagMomentoY, 2}}},
        {{"plotCarga"}, "Graficacion de Cargas Activada. Ingrese Comando:", {{flagCarga, 1}}},
        {{"plotCarga", "plotCarga"}, "Graficacion de Cargas Desactivada. Ingrese Comando:", {{flagCarga, 2}}},
        {{"plotR"}, "Graficacion de Reacciones Activada. Ingrese Comando:", {{flagReacciones, 1}}},
        {{"plotR", "plotR"}, "Graficacion de Reacciones Desactivada. Ingrese Comando:", {{flagReacciones, 2}}},
        {{"plotVz"}, "Fuerzas Cortantes Z Activadas. Ingrese Comando:", {{flagCortanteZ, 1}}},
        {{"plotVz", "plotVz"}, "Fuerzas Cortantes Z Desactivadas. Ingrese Comando:", {{flagCortanteZ, 2}}},
        {{"plotMz"}, "Momentos Flectores Z Activados. Ingrese Comando:", {{flagMomentoZ, 1}}},
        {{"plotMz", "plotMz"}, "Momentos Flectores Z Desactivados. Ingrese Comando:", {{flagMomentoZ, 2}}},
        {{"plotT"}, "Torsion Activadas. Ingrese Comando:", {{flagTorsion, 1}}},
        {{"plotT", "plotT"}, "Torsion Desactivada. Ingrese Comando:", {{flagTorsion, 2}}},
        // Los apoyos arrancan encendidos
        {{"plotApoyos"}, "Graficacion de Apoyos Desactivada. Ingrese Comando:", {{flagApoyos, 2}}},
        {{"plotApoyos", "plotApoyos"}, "Graficacion de Apoyos Activada. Ingrese Comando:", {{flagApoyos, 3}}},
        // Comparación exacta: nada coincide y la respuesta anterior queda
        {{"PlotDef"}, "Comando:", {}},
        {{"plotDef "}, "Comando:", {}},
        {{"plot Def"}, "Comando:", {}},
        {{"plotN", "xyz"}, "Fuerzas Axiales Activadas. Ingrese Comando:", {{flagAxial, 1}}},
        {{""}, "Comando:", {}},
        // Combo: dos Enter; cada respuesta conmuta el interruptor
        {{"combo"}, pregCombo, {}},
        {{"combo", "SERV"}, comboOk, {{flagCombos + 1, 1}}, 1},
        {{"combo", "SERV", "combo", "SERV"}, comboOk, {{flagCombos + 1, 2}}, 1},
        {{"combo", "SISMO", "combo", "ELU"}, comboOk, {{flagCombos + 2, 1}, {flagCombos, 1}}, 0},
        {{"combo", "NADA"}, comboNoExiste, {}},
        {{"combo", "serv"}, comboNoExiste, {}},
        // Una palabra de comando con la pregunta visible corre como comando
        {{"combo", "plotDef"}, "Deformaciones Activadas. Ingrese Comando:", {{flagDeformada, 1}}},
        {{"combo", "plotDef", "SERV"}, "Deformaciones Activadas. Ingrese Comando:", {{flagDeformada, 1}}},
        {{"combo", "tagNudos"}, ingrese, {{flagTagNudos, 1}}},
        // Palabras de los pasos posteriores: primero se buscan como combo
        {{"combo", "aislar"}, pregAislar, {}},
        {{"combo", "combo"}, pregCombo, {}},
        {{"combo", "SERV", "combo", "combo"}, pregCombo, {{flagCombos + 1, 1}}, -1},
        {{"combo", "noAislar"}, ingrese, {}},
        // Aislar
        {{"aislar"}, pregAislar, {}},
        {{"aislar", "noAislar"}, ingrese, {}},
        {{"aislar", "combo"}, pregCombo, {}},
        {{"aislar", "combo", "SERV"}, comboOk, {{flagCombos + 1, 1}}, 1},
        {{"aislar", "plotN"}, "Fuerzas Axiales Activadas. Ingrese Comando:", {{flagAxial, 1}}},
        {{"aislar", "3"}, ingrese, {}, -1, false},
        {{"aislar", "3", "noAislar"}, ingrese, {}},
        // "aislar" como respuesta: lista no válida (todo oculto) y otra vez la pregunta
        {{"aislar", "aislar"}, pregAislar, {}, -1, false},
    };
    for (const CasoEnter& caso : casos) {
        std::string nombre;
        for (const std::string& l : caso.lineas) nombre += "[" + l + "]";
        SCOPED_TRACE(nombre);
        flags = flagsDeArranque();
        dialogo = "Comando:";
        numeroComboCoincidente = -1;
        barrasAisladas.setOnes();
        nudosAislados.setOnes();

        for (const std::string& l : caso.lineas) escribirLinea(l);

        EXPECT_EQ(dialogo, caso.respuesta);
        std::vector<int> esperado = flagsDeArranque();
        for (auto [i, v] : caso.flagsCambiados) esperado[i] = v;
        EXPECT_EQ(flags, esperado);
        EXPECT_EQ(numeroComboCoincidente, caso.comboCoincidente);
        EXPECT_EQ(barrasAisladas.minCoeff() == 1 && nudosAislados.minCoeff() == 1, caso.todoVisible);
    }
}

TEST_F(Teclado, RespuestaDeAislar)
{
    // Barras internas 0..3 = usuario 7 (nudos 0-3), 3 (1-2), 10 (3-2), 12 (2-4)
    struct Caso {
        std::string lista;
        std::string respuesta;
        std::vector<int> barras;
        std::vector<int> nudos;
    };
    const std::vector<Caso> casos = {
        {"3 7", ingrese, {1, 1, 0, 0}, {1, 1, 1, 1, 0}},
        {"12", ingrese, {0, 0, 0, 1}, {0, 0, 1, 0, 1}},
        {"3 ", ingrese, {0, 1, 0, 0}, {0, 1, 1, 0, 0}},
        {"007", ingrese, {1, 0, 0, 0}, {1, 0, 0, 1, 0}},
        {"10 10", ingrese, {0, 0, 1, 0}, {0, 0, 1, 1, 0}},
        // Número que ninguna barra lleva (hueco de la numeración o fuera de ella):
        // no muestra ninguna barra y lo dice
        {"5", "No existe la barra 5. Ingrese Comando:", {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"3 0", "No existe la barra 0. Ingrese Comando:", {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"3 13", "No existe la barra 13. Ingrese Comando:", {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"99999999999999999999", "No existe la barra 99999999999999999999. Ingrese Comando:",
         {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"2147483648", "No existe la barra 2147483648. Ingrese Comando:", {0, 0, 0, 0},
         {0, 0, 0, 0, 0}},
        // Línea vacía: todo oculto
        {"", ingrese, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"3 x", listaInvalida, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"3e1", listaInvalida, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {"3.0", listaInvalida, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        // Elegido: un elemento vacío no vale
        {"3  7", listaInvalida, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {" 3", listaInvalida, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        // Un carácter que no vale gana sobre un número sin barra
        {"5 x", listaInvalida, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE("[" + caso.lista + "]");
        barrasAisladas.setOnes();
        nudosAislados.setOnes();
        dialogo = "Comando:";
        escribirLinea("aislar");
        ASSERT_EQ(dialogo, pregAislar);
        escribirLinea(caso.lista);
        EXPECT_EQ(dialogo, caso.respuesta);
        EXPECT_EQ(aVector(barrasAisladas), caso.barras);
        EXPECT_EQ(aVector(nudosAislados), caso.nudos);
    }
    // noAislar vuelve a mostrar todo
    escribirLinea("noAislar");
    EXPECT_EQ(dialogo, ingrese);
    EXPECT_EQ(aVector(barrasAisladas), std::vector<int>(4, 1));
    EXPECT_EQ(aVector(nudosAislados), std::vector<int>(5, 1));
}

TEST_F(Teclado, ComboSinNudosYMasDeCienCombos)
{
    // Sin nudos no hay a quién preguntar: el combo no existe
    reiniciarModelo();
    barrasAisladas.resize(0);
    nudosAislados.resize(0);
    escribirLinea("combo");
    escribirLinea("ELU");
    EXPECT_EQ(dialogo, comboNoExiste);
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(flags, flagsDeArranque());
    // Aislar sin barras: ninguna lleva el número, sin salirse de los vectores
    escribirLinea("aislar");
    escribirLinea("0");
    EXPECT_EQ(dialogo, "No existe la barra 0. Ingrese Comando:");

    // 101 combos: el de índice 100 no tiene interruptor
    std::string texto = "nudos:\n1 0 0 0\n2 1 0 0\nbarras:\n1 1 2\n";
    for (int c = 0; c <= 100; c++) texto += "combo:\nC" + std::to_string(c) + " 1 V\n";
    cargarModelo(texto);
    ASSERT_EQ(noCombos, 101);
    escribirLinea("combo");
    escribirLinea("C100");
    EXPECT_EQ(numeroComboCoincidente, 100);
    EXPECT_EQ(dialogo, "Solo se pueden mostrar los primeros 100 combos. Ingrese Comando:");
    EXPECT_EQ(flags, flagsDeArranque());
    EXPECT_EQ(flags.size(), 200u);
    escribirLinea("combo");
    escribirLinea("C99");
    EXPECT_EQ(dialogo, comboOk);
    EXPECT_EQ(flags[199], 1);
}

TEST_F(Teclado, EdicionDeLaLinea)
{
    // Retroceso borra el último byte; en la línea vacía no hace nada
    teclado(8, 0, 0);
    EXPECT_EQ(comando, "");
    for (unsigned char c : std::string("plotDeff")) teclado(c, 0, 0);
    teclado(8, 0, 0);
    EXPECT_EQ(comando, "plotDef");
    // '+' y '-' nunca llegan a la línea; '=', '*' y '_' sí mientras se
    // escribe una (en la línea vacía son teclas de escala)
    for (unsigned char c : std::string("+-")) teclado(c, 0, 0);
    modificadorFalso = GLUT_ACTIVE_SHIFT;
    for (unsigned char c : std::string("+-")) teclado(c, 0, 0);
    modificadorFalso = 0;
    EXPECT_EQ(comando, "plotDef");
    for (unsigned char c : std::string("=*_")) teclado(c, 0, 0);
    EXPECT_EQ(comando, "plotDef=*_");
    for (int k = 0; k < 3; k++) teclado(8, 0, 0);
    EXPECT_EQ(comando, "plotDef");
    teclado(13, 0, 0);
    EXPECT_EQ(comando, "");
    EXPECT_EQ(dialogo, "Deformaciones Activadas. Ingrese Comando:");
    // Ctrl no es Alt: la letra se escribe
    modificadorFalso = GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT;
    teclado('t', 0, 0);
    EXPECT_EQ(comando, "t");
    EXPECT_EQ(flags[flagTextoDiagramas], 1);
    // Las teclas que no se imprimen (NUL, Ctrl+letra, Tab, salto de línea,
    // Supr) no entran en la línea; con Ctrl la tecla llega como código de control
    modificadorFalso = GLUT_ACTIVE_CTRL;
    comando.clear();
    for (unsigned char c : {0, 1, 3, 9, 10, 26, 31, 127}) teclado(c, 0, 0);
    EXPECT_EQ(comando, "");
    modificadorFalso = 0;
    for (unsigned char c : std::string("plot")) teclado(c, 0, 0);
    teclado(0, 0, 0);
    for (unsigned char c : std::string("Def")) teclado(c, 0, 0);
    EXPECT_EQ(comando, "plotDef");
    teclado(13, 0, 0);
    EXPECT_EQ(dialogo, "Deformaciones Desactivadas. Ingrese Comando:");
    // Los bytes de 128 en adelante (ñ, á en Latin-1) sí se escriben
    teclado(0xF1, 0, 0);
    EXPECT_EQ(comando, "\xF1");
}

// Un combo con '_' en el nombre se escribe en la pregunta, también al empezar
// la respuesta; con la línea vacía y sin pregunta '_' achica el texto
TEST_F(Teclado, ComboConGuionBajo)
{
    std::string modelo = modeloPortico;
    modelo.replace(modelo.find("SISMO"), 5, "_S_1");
    cargarModelo(modelo);
    escalaTexto = 0.2;
    teclado('_', 0, 0);
    EXPECT_EQ(comando, "");
    EXPECT_NEAR(escalaTexto, 0.2 / 1.1, 1e-15);
    escribirLinea("combo");
    ASSERT_EQ(dialogo, pregCombo);
    escribirLinea("_S_1");
    EXPECT_EQ(dialogo, comboOk);
    EXPECT_EQ(numeroComboCoincidente, 2);
    EXPECT_EQ(flags[flagCombos + 2], 1);
    EXPECT_NEAR(escalaTexto, 0.2 / 1.1, 1e-15);
}

TEST_F(Teclado, TeclasDeEscala)
{
    double* escalas[] = {&escalaTexto, &escalaDef, &escalaN,  &escalaVy, &escalaMy,
                         &escalaCarga, &escalaVz,  &escalaMz, &escalaT};
    struct Caso {
        int flagEncendido;  // -1: ningún dibujo de resultados
        int modificador;
        unsigned char tecla;
        double* escalaCambiada;  // nullptr: ninguna
        double factor;
    };
    const int shift = GLUT_ACTIVE_SHIFT, alt = GLUT_ACTIVE_ALT, ctrl = GLUT_ACTIVE_CTRL;
    const std::vector<Caso> casos = {
        {flagDeformada, 0, '+', &escalaDef, 1.1},
        {flagAxial, 0, '+', &escalaN, 1.1},
        {flagCortanteY, 0, '+', &escalaVy, 1.1},
        {flagMomentoY, 0, '+', &escalaMy, 1.1},
        {flagCarga, 0, '+', &escalaCarga, 1.1},
        {flagCortanteZ, 0, '+', &escalaVz, 1.1},
        {flagMomentoZ, 0, '+', &escalaMz, 1.1},
        {flagTorsion, 0, '+', &escalaT, 1.1},
        {flagDeformada, 0, '-', &escalaDef, 1 / 1.1},
        {flagAxial, 0, '-', &escalaN, 1 / 1.1},
        {flagTorsion, 0, '-', &escalaT, 1 / 1.1},
        // Shift solo: el texto, con o sin diagrama
        {flagAxial, shift, '+', &escalaTexto, 1.1},
        {-1, shift, '+', &escalaTexto, 1.1},
        {flagMomentoZ, shift, '-', &escalaTexto, 1 / 1.1},
        // Otro estado de modificadores: la escala del diagrama
        {flagAxial, shift | ctrl, '+', &escalaN, 1.1},
        {flagAxial, alt, '-', &escalaN, 1 / 1.1},
        // Del teclado principal: '=' (el + sin Shift de EE. UU.) agranda el
        // diagrama; '*' y '_' (Shift con + y - en el español) el texto
        {flagMomentoY, 0, '=', &escalaMy, 1.1},
        {flagCarga, shift, '=', &escalaCarga, 1.1},
        {flagMomentoY, shift, '*', &escalaTexto, 1.1},
        {-1, 0, '*', &escalaTexto, 1.1},
        {flagAxial, shift, '_', &escalaTexto, 1 / 1.1},
        {-1, shift, '_', &escalaTexto, 1 / 1.1},
        // Nada que escalar
        {-1, 0, '+', nullptr, 1},
        {-1, 0, '=', nullptr, 1},
        {-1, 0, '-', nullptr, 1},
        {flagReacciones, 0, '+', nullptr, 1},
        {flagApoyos, 0, '+', nullptr, 1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE("flag " + std::to_string(caso.flagEncendido) + " mod " +
                     std::to_string(caso.modificador) + " tecla " + std::string(1, caso.tecla));
        flags = flagsDeArranque();
        if (caso.flagEncendido >= 0) flags[caso.flagEncendido] = 1;
        std::vector<double> antes;
        for (size_t i = 0; i < std::size(escalas); i++) {
            *escalas[i] = 0.25 * (i + 1);
            antes.push_back(*escalas[i]);
        }
        modificadorFalso = caso.modificador;
        teclado(caso.tecla, 0, 0);
        for (size_t i = 0; i < std::size(escalas); i++) {
            if (escalas[i] == caso.escalaCambiada) {
                EXPECT_NEAR(*escalas[i], antes[i] * caso.factor, 1e-15) << "escala " << i;
            } else {
                EXPECT_EQ(*escalas[i], antes[i]) << "escala " << i;
            }
        }
        EXPECT_EQ(comando, "");
    }
    // Diez pasos arriba y diez abajo vuelven al valor de partida
    flags = flagsDeArranque();
    flags[flagAxial] = 1;
    modificadorFalso = 0;
    escalaN = 0.01;
    for (int k = 0; k < 10; k++) teclado('+', 0, 0);
    EXPECT_NEAR(escalaN, 0.01 * std::pow(1.1, 10), 1e-15);
    for (int k = 0; k < 10; k++) teclado('-', 0, 0);
    EXPECT_NEAR(escalaN, 0.01, 1e-15);
}

TEST_F(Teclado, ConmutadoresConAlt)
{
    struct Caso {
        unsigned char tecla;
        int flag;  // -1: ninguno
    };
    const std::vector<Caso> casos = {
        {'t', flagTextoDiagramas}, {'T', flagTextoDiagramas}, {'f', flagLineasInternas},
        {'F', flagLineasInternas}, {'n', flagNudos},          {'N', flagNudos},
        {'x', -1},                 {'a', -1},                 {'1', -1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(1, caso.tecla));
        flags = flagsDeArranque();
        modificadorFalso = GLUT_ACTIVE_ALT;
        teclado(caso.tecla, 0, 0);
        std::vector<int> esperado = flagsDeArranque();
        if (caso.flag >= 0) esperado[caso.flag] = 2;
        EXPECT_EQ(flags, esperado);
        EXPECT_EQ(comando, "");
        // Sin Alt la misma tecla se escribe
        modificadorFalso = 0;
        teclado(caso.tecla, 0, 0);
        EXPECT_EQ(comando, std::string(1, caso.tecla));
        EXPECT_EQ(flags, esperado);
        comando.clear();
    }
}

TEST_F(Teclado, AltCCambiaLaProyeccionEnSeguida)
{
    ASSERT_EQ(glutGet(GLUT_WINDOW_WIDTH), 1000);
    ASSERT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 800);
    wVentana = 0;
    hVentana = 0;
    const double d = distCamObj;
    ASSERT_GT(d, 0);
    const double f = 1 / std::tan(22.5 * M_PI / 180);  // perspectiva de 45 grados

    modificadorFalso = GLUT_ACTIVE_ALT;
    teclado('c', 0, 0);
    EXPECT_EQ(flags[flagPerspectiva], 2);
    EXPECT_EQ(wVentana, 1000);
    EXPECT_EQ(hVentana, 800);
    // Ortogonal: el lado corto (800) abarca distCamObj, el largo 1.25 distCamObj
    std::array<double, 16> m = matrizProyeccion();
    EXPECT_NEAR(m[0], 2 / (1.25 * d), 1e-6 * m[0]);
    EXPECT_NEAR(m[5], 2 / d, 1e-6 * m[5]);
    EXPECT_EQ(m[11], 0);
    EXPECT_EQ(m[15], 1);

    teclado('C', 0, 0);
    EXPECT_EQ(flags[flagPerspectiva], 3);
    m = matrizProyeccion();
    EXPECT_NEAR(m[5], f, 1e-6);
    EXPECT_NEAR(m[0], f / 1.25, 1e-6);
    EXPECT_EQ(m[11], -1);
    EXPECT_EQ(m[15], 0);
    EXPECT_EQ(comando, "");
}

// Esc, "exit" y "salir" terminan con estado 0 (en un proceso hijo)
TEST_F(Teclado, SalidaDelPrograma)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            for (unsigned char c : std::string("plotD")) teclado(c, 0, 0);
            teclado(27, 0, 0);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(escribirLinea("exit"), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(escribirLinea("salir"), testing::ExitedWithCode(0), "");
    // Sin coincidencia exacta no sale
    escribirLinea("Exit");
    escribirLinea("salir ");
    EXPECT_EQ(dialogo, "Comando:");
}

}  // namespace
