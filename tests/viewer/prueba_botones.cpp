// Botones del panel: prueba de impacto estricta, orden, combos y "Calcular".
#include "comun/capturaGL.h"
#include "prueba_ventana_estado.h"
#include "viewer/botonesPlot.h"
#include "viewer/elementosPlot.h"

namespace {

using Botones = PruebaNucleoVisor;

void cuadroDelPanel() { capturarFeedback(plotDialogo); }

}  // namespace

TEST_F(Botones, ImpactoEstrictoEnLosBordes)
{
    struct Caso {
        int x, y;
        bool pulsa;
    };
    // "tag Nudos": x de 10 a 80, y de 30 a 42
    const Caso casos[] = {
        {10, 35, false}, {11, 35, true},  {80, 35, false}, {79, 35, true}, {45, 30, false},
        {45, 31, true},  {45, 42, false}, {45, 41, true},  {9, 35, false}, {45, 43, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        flags[flagTagNudos] = 0;
        flags[flagVolumen] = 1;
        xClickIzq = c.x;
        yClickIzq = c.y;
        capturarFeedback([] { botonFlag(10, 30, 70, 12, "tag Nudos", flagTagNudos); });
        EXPECT_EQ(flags[flagTagNudos], c.pulsa ? 1 : 0);
        // La regla del flag se aplica entera: el volumen se apaga
        EXPECT_EQ(flags[flagVolumen], c.pulsa ? 0 : 1);
        EXPECT_EQ(xClickIzq, c.pulsa ? 0 : c.x);
        EXPECT_EQ(yClickIzq, c.pulsa ? 0 : c.y);
    }
    // Índices fuera de flags: ni botón ni escritura
    xClickIzq = 45;
    yClickIzq = 35;
    std::vector<int> antes = flags;
    auto p = capturarFeedback([] {
        botonFlag(10, 30, 70, 12, "x", 200);
        botonFlag(10, 30, 70, 12, "x", -1);
        botonCombo(10, 30, 70, 12, "x", 100);
        botonCombo(10, 30, 70, 12, "x", -1);
    });
    EXPECT_TRUE(p.empty());
    EXPECT_EQ(flags, antes);
    EXPECT_EQ(xClickIzq, 45);
}

TEST_F(Botones, CadaBotonConSuFlag)
{
    struct Caso {
        const char* etiqueta;
        int y, flag;
        bool soloCalculado;
    };
    const Caso casos[] = {
        {"tag Nudos", 30, 0, false}, {"tag Barras", 45, 1, false}, {"secciones", 60, 2, false},
        {"apoyos", 75, 9, false},    {"volumen", 90, 20, false},   {"carga", 120, 7, false},
        {"reaccion", 135, 8, true},  {"deflexion", 150, 3, true},  {"N", 165, 4, true},
        {"Vy", 180, 5, true},        {"My", 195, 6, true},         {"Vz", 210, 10, true},
        {"Mz", 225, 11, true},       {"T", 240, 21, true},
    };
    proyeccionPrograma(true);
    for (bool calculado : {false, true}) {
        for (const Caso& c : casos) {
            SCOPED_TRACE(std::string(c.etiqueta) + (calculado ? " calculado" : ""));
            // Estado de partida con etiquetas, volumen y un resultado encendidos
            funcionFlagsInicio();
            flags[flagCalculado] = calculado ? 1 : 0;
            flags[flagTagNudos] = 1;
            flags[flagMomentoZ] = 1;
            flags[flagCombos] = 1;
            std::vector<int> esperado = flags;
            if (calculado || !c.soloCalculado) {
                flags = esperado;
                std::vector<int> guardado = flags;
                modificadorFlagsGraf(c.flag);
                esperado = flags;
                flags = guardado;
            }
            xClickIzq = 45;
            yClickIzq = c.y + 6;
            cuadroDelPanel();
            EXPECT_EQ(flags, esperado);
            bool pulsado = calculado || !c.soloCalculado;
            EXPECT_EQ(xClickIzq, pulsado ? 0 : 45);  // sin botón el clic queda pendiente
        }
    }
    // La ranura vacía de y = 105 no es un botón
    funcionFlagsInicio();
    std::vector<int> antes = flags;
    xClickIzq = 45;
    yClickIzq = 111;
    cuadroDelPanel();
    EXPECT_EQ(flags, antes);
    EXPECT_EQ(yClickIzq, 111);
}

TEST_F(Botones, CombosSeAlternanYSeDibujanAntesQueCalcular)
{
    funcionFlagsInicio();
    ponerCombos(20);
    // Ventana de 400 de alto: el combo 19 (y de 320 a 332) pisa a "Calcular" (320 a 335)
    proyeccionPrograma(true, 1000, 400);
    xClickIzq = 900;
    yClickIzq = 325;
    std::string antes = dialogo;
    cuadroDelPanel();
    EXPECT_EQ(flags[flagCombos + 19], 1);
    EXPECT_EQ(flags[flagCalculado], 0);
    EXPECT_EQ(dialogo, antes);  // el análisis no corrió
    EXPECT_EQ(xClickIzq, 0);
    EXPECT_EQ(yClickIzq, 0);
    // Otro clic en el mismo combo lo apaga; los demás no cambian
    xClickIzq = 900;
    yClickIzq = 325;
    cuadroDelPanel();
    EXPECT_EQ(flags[flagCombos + 19], 2);
    for (int k = 0; k < 19; k++) EXPECT_EQ(flags[flagCombos + k], 0);

    // Un clic que no cae en nada queda pendiente y dispara el botón que llega después
    reiniciarModelo();
    proyeccionPrograma(true);
    xClickIzq = 950;
    yClickIzq = 55;
    cuadroDelPanel();
    EXPECT_EQ(xClickIzq, 950);
    cuadroDelPanel();
    EXPECT_EQ(yClickIzq, 55);
    ponerCombos(2);  // el combo 1 ocupa y de 50 a 62
    cuadroDelPanel();
    EXPECT_EQ(flags[flagCombos + 1], 1);
    EXPECT_EQ(flags[flagCombos], 0);
    EXPECT_EQ(xClickIzq, 0);
}
